#include "axispainter.h"

#include <QPainter>

AxisPainter::AxisPainter(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
}

QVector<AxisPainter::Stroke> AxisPainter::strokes() const
{
    QVector<Stroke> out;
    const qreal w = width();
    const qreal h = height();
    if (vcount_ > 0) {
        const qreal s = (w - right_offset_ - left_offset_) / vcount_;
        const qreal d = big_stick_bottom_width_ / 2;
        // The ticks rise from the bottom edge or hang from the top one.
        const qreal foot = on_top_ ? h : 0;
        const qreal tip = on_top_ ? h - big_stick_height_ : big_stick_height_;
        for (int i = 0; i <= vcount_; ++i) {
            const qreal x = left_offset_ + i * s;
            out.append({QLineF(x, foot, x, tip), big_stick_width_});
            out.append({QLineF(x - d, tip, x + d, tip), big_stick_width_});
        }
        if (mark_on_) {
            const qreal minor = int(small_stick_width_);
            const qreal small_tip = on_top_ ? h - small_stick_height_ : small_stick_height_;
            for (int i = 0; i < vcount_; ++i) {
                for (int k = 0; k < 10; ++k) {
                    const qreal x = left_offset_ + i * s + k * s / 10;
                    out.append({QLineF(x, foot, x, small_tip), minor});
                }
            }
        }
    }
    if (hcount_ > 0 && mark_on_) {
        for (int i = 0; i <= hcount_; ++i) {
            const qreal y = (h - 2) / hcount_ * i + 2;
            out.append({QLineF(0, y, w, y), line_width_});
        }
    }
    return out;
}

void AxisPainter::paint(QPainter *painter)
{
    painter->setBrush(Qt::NoBrush);
    painter->setRenderHint(QPainter::Antialiasing, true);
    QPen pen(color_, big_stick_width_, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin);
    for (const Stroke &s : strokes()) {
        pen.setWidthF(s.width);
        painter->setPen(pen);
        painter->drawLine(s.line);
    }
}

void AxisPainter::set_line_width(qreal v) { line_width_ = v; emit line_width_changed(); update(); }
void AxisPainter::set_color(const QColor &v) { color_ = v; emit color_changed(); update(); }
void AxisPainter::set_vcount(int v) { vcount_ = v; emit vcount_changed(); update(); }
void AxisPainter::set_hcount(int v) { hcount_ = v; emit hcount_changed(); update(); }
void AxisPainter::set_right_offset(qreal v) { right_offset_ = v; emit right_offset_changed(); }
void AxisPainter::set_left_offset(qreal v) { left_offset_ = v; emit left_offset_changed(); }
void AxisPainter::set_on_top(bool v) { on_top_ = v; emit on_top_changed(); update(); }
void AxisPainter::set_mark_on(bool v) { mark_on_ = v; emit mark_on_changed(); update(); }
void AxisPainter::set_big_stick_height(qreal v) { big_stick_height_ = v; emit big_stick_height_changed(); }
void AxisPainter::set_big_stick_width(qreal v) { big_stick_width_ = v; emit big_stick_width_changed(); }
void AxisPainter::set_big_stick_bottom_width(qreal v) { big_stick_bottom_width_ = v; emit big_stick_bottom_width_changed(); }
void AxisPainter::set_small_stick_height(qreal v) { small_stick_height_ = v; emit small_stick_height_changed(); }
void AxisPainter::set_small_stick_width(qreal v) { small_stick_width_ = v; emit small_stick_width_changed(); }
