#ifndef GRIDPAINTER_H
#define GRIDPAINTER_H

#include <QColor>
#include <QLineF>
#include <QQuickPaintedItem>
#include <QVector>

// The dashed grid behind a chart.
class GridPainter : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(qreal line_width READ line_width WRITE set_line_width NOTIFY line_width_changed)
    Q_PROPERTY(QColor color READ color WRITE set_color NOTIFY color_changed)
    Q_PROPERTY(int vcount READ vcount WRITE set_vcount NOTIFY vcount_changed)
    Q_PROPERTY(int hcount READ hcount WRITE set_hcount NOTIFY hcount_changed)
    Q_PROPERTY(qreal hoffset READ hoffset WRITE set_hoffset NOTIFY hoffset_changed)
    Q_PROPERTY(qreal hratio READ hratio WRITE set_hratio NOTIFY hratio_changed)
    Q_PROPERTY(qreal vratio READ vratio WRITE set_vratio NOTIFY vratio_changed)
    Q_PROPERTY(qreal left_top_margin READ left_top_margin WRITE set_left_top_margin NOTIFY left_top_margin_changed)

public:
    explicit GridPainter(QQuickItem *parent = nullptr);

    void paint(QPainter *painter) override;
    // The vertical lines, then the horizontal ones.
    QVector<QLineF> lines() const;

    qreal line_width() const { return line_width_; }
    void set_line_width(qreal v);
    QColor color() const { return color_; }
    void set_color(const QColor &v);
    int vcount() const { return vcount_; }
    void set_vcount(int v);
    int hcount() const { return hcount_; }
    void set_hcount(int v);
    qreal hoffset() const { return hoffset_; }
    void set_hoffset(qreal v);
    qreal hratio() const { return hratio_; }
    void set_hratio(qreal v);
    qreal vratio() const { return vratio_; }
    void set_vratio(qreal v);
    qreal left_top_margin() const { return left_top_margin_; }
    void set_left_top_margin(qreal v);

signals:
    void line_width_changed();
    void color_changed();
    void vcount_changed();
    void hcount_changed();
    void hoffset_changed();
    void hratio_changed();
    void vratio_changed();
    void left_top_margin_changed();

private:
    qreal line_width_ = 1.0;
    QColor color_;
    int vcount_ = 10;
    int hcount_ = 10;
    qreal hoffset_ = 0.0;
    qreal hratio_ = 1.0;
    qreal vratio_ = 1.0;
    qreal left_top_margin_ = 2.0;
};

#endif
