#ifndef AXISPAINTER_H
#define AXISPAINTER_H

#include <QColor>
#include <QLineF>
#include <QQuickPaintedItem>
#include <QVector>

// Tick marks along one edge of a chart, with optional minor ticks and
// horizontal guide lines.
class AxisPainter : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(qreal line_width READ line_width WRITE set_line_width NOTIFY line_width_changed)
    Q_PROPERTY(QColor color READ color WRITE set_color NOTIFY color_changed)
    Q_PROPERTY(int vcount READ vcount WRITE set_vcount NOTIFY vcount_changed)
    Q_PROPERTY(int hcount READ hcount WRITE set_hcount NOTIFY hcount_changed)
    Q_PROPERTY(qreal right_offset READ right_offset WRITE set_right_offset NOTIFY right_offset_changed)
    Q_PROPERTY(qreal left_offset READ left_offset WRITE set_left_offset NOTIFY left_offset_changed)
    Q_PROPERTY(bool on_top READ on_top WRITE set_on_top NOTIFY on_top_changed)
    Q_PROPERTY(bool mark_on READ mark_on WRITE set_mark_on NOTIFY mark_on_changed)
    Q_PROPERTY(qreal big_stick_height READ big_stick_height WRITE set_big_stick_height NOTIFY big_stick_height_changed)
    Q_PROPERTY(qreal big_stick_width READ big_stick_width WRITE set_big_stick_width NOTIFY big_stick_width_changed)
    Q_PROPERTY(qreal big_stick_bottom_width READ big_stick_bottom_width WRITE set_big_stick_bottom_width NOTIFY big_stick_bottom_width_changed)
    Q_PROPERTY(qreal small_stick_height READ small_stick_height WRITE set_small_stick_height NOTIFY small_stick_height_changed)
    Q_PROPERTY(qreal small_stick_width READ small_stick_width WRITE set_small_stick_width NOTIFY small_stick_width_changed)

public:
    struct Stroke {
        QLineF line;
        qreal width;
    };

    explicit AxisPainter(QQuickItem *parent = nullptr);

    void paint(QPainter *painter) override;
    // Major ticks with their cross-bars, minor ticks, then guides.
    QVector<Stroke> strokes() const;

    qreal line_width() const { return line_width_; }
    void set_line_width(qreal v);
    QColor color() const { return color_; }
    void set_color(const QColor &v);
    int vcount() const { return vcount_; }
    void set_vcount(int v);
    int hcount() const { return hcount_; }
    void set_hcount(int v);
    qreal right_offset() const { return right_offset_; }
    void set_right_offset(qreal v);
    qreal left_offset() const { return left_offset_; }
    void set_left_offset(qreal v);
    bool on_top() const { return on_top_; }
    void set_on_top(bool v);
    bool mark_on() const { return mark_on_; }
    void set_mark_on(bool v);
    qreal big_stick_height() const { return big_stick_height_; }
    void set_big_stick_height(qreal v);
    qreal big_stick_width() const { return big_stick_width_; }
    void set_big_stick_width(qreal v);
    qreal big_stick_bottom_width() const { return big_stick_bottom_width_; }
    void set_big_stick_bottom_width(qreal v);
    qreal small_stick_height() const { return small_stick_height_; }
    void set_small_stick_height(qreal v);
    qreal small_stick_width() const { return small_stick_width_; }
    void set_small_stick_width(qreal v);

signals:
    void line_width_changed();
    void color_changed();
    void vcount_changed();
    void hcount_changed();
    void right_offset_changed();
    void left_offset_changed();
    void on_top_changed();
    void mark_on_changed();
    void big_stick_height_changed();
    void big_stick_width_changed();
    void big_stick_bottom_width_changed();
    void small_stick_height_changed();
    void small_stick_width_changed();

private:
    qreal line_width_ = 1.0;
    QColor color_;
    int vcount_ = 10;
    int hcount_ = 0;
    qreal right_offset_ = 0.0;
    qreal left_offset_ = 0.0;
    bool on_top_ = false;
    bool mark_on_ = false;
    qreal big_stick_height_ = 12.0;
    qreal big_stick_width_ = 2.0;
    qreal big_stick_bottom_width_ = 2.0;
    qreal small_stick_height_ = 8.0;
    qreal small_stick_width_ = 1.0;
};

#endif
