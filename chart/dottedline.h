#ifndef DOTTEDLINE_H
#define DOTTEDLINE_H

#include <QColor>
#include <QLineF>
#include <QQuickPaintedItem>

// One solid or dashed line between two points, for guides and split lines.
class DottedLine : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(qreal start_x READ start_x WRITE set_start_x NOTIFY start_x_changed)
    Q_PROPERTY(qreal start_y READ start_y WRITE set_start_y NOTIFY start_y_changed)
    Q_PROPERTY(qreal end_x READ end_x WRITE set_end_x NOTIFY end_x_changed)
    Q_PROPERTY(qreal end_y READ end_y WRITE set_end_y NOTIFY end_y_changed)
    Q_PROPERTY(qreal line_width READ line_width WRITE set_line_width NOTIFY line_width_changed)
    Q_PROPERTY(QColor color READ color WRITE set_color NOTIFY color_changed)
    Q_PROPERTY(bool dash_on READ dash_on WRITE set_dash_on NOTIFY dash_on_changed)

public:
    explicit DottedLine(QQuickItem *parent = nullptr);

    void paint(QPainter *painter) override;
    QLineF line() const { return QLineF(start_x_, start_y_, end_x_, end_y_); }

    qreal start_x() const { return start_x_; }
    void set_start_x(qreal v);
    qreal start_y() const { return start_y_; }
    void set_start_y(qreal v);
    qreal end_x() const { return end_x_; }
    void set_end_x(qreal v);
    qreal end_y() const { return end_y_; }
    void set_end_y(qreal v);
    qreal line_width() const { return line_width_; }
    void set_line_width(qreal v);
    QColor color() const { return color_; }
    void set_color(const QColor &v);
    bool dash_on() const { return dash_on_; }
    void set_dash_on(bool v);

signals:
    void start_x_changed();
    void start_y_changed();
    void end_x_changed();
    void end_y_changed();
    void line_width_changed();
    void color_changed();
    void dash_on_changed();

private:
    qreal start_x_ = 0.0;
    qreal start_y_ = 0.0;
    qreal end_x_ = 0.0;
    qreal end_y_ = 0.0;
    qreal line_width_ = 0.0;
    QColor color_;
    bool dash_on_ = false;
};

#endif
