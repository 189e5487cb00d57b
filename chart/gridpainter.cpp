#include "gridpainter.h"

#include <QPainter>

GridPainter::GridPainter(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
}

QVector<QLineF> GridPainter::lines() const
{
    QVector<QLineF> out;
    const qreal w = width();
    const qreal h = height();
    // A count of zero or less has no intervals to divide into.
    if (vcount_ > 0) {
        for (int i = 0; i <= vcount_; ++i) {
            const qreal x = (w - hoffset_ - 2) / vcount_ * i + left_top_margin_;
            out.append(QLineF(x, 0, x, (h - 2) * vratio_));
        }
    }
    if (hcount_ > 0) {
        for (int i = 0; i <= hcount_; ++i) {
            const qreal y = (h - 2) / hcount_ * i + left_top_margin_;
            out.append(QLineF(0, y, (w - hoffset_ - 2) * hratio_, y));
        }
    }
    return out;
}

void GridPainter::paint(QPainter *painter)
{
    QPen pen(color_, line_width_, Qt::DashLine, Qt::SquareCap, Qt::RoundJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->drawLines(lines());
}

void GridPainter::set_line_width(qreal v) { line_width_ = v; emit line_width_changed(); update(); }
void GridPainter::set_color(const QColor &v) { color_ = v; emit color_changed(); update(); }
void GridPainter::set_vcount(int v) { vcount_ = v; emit vcount_changed(); update(); }
void GridPainter::set_hcount(int v) { hcount_ = v; emit hcount_changed(); update(); }
void GridPainter::set_hoffset(qreal v) { hoffset_ = v; emit hoffset_changed(); }
void GridPainter::set_hratio(qreal v) { hratio_ = v; emit hratio_changed(); update(); }
void GridPainter::set_vratio(qreal v) { vratio_ = v; emit vratio_changed(); update(); }
void GridPainter::set_left_top_margin(qreal v) { left_top_margin_ = v; emit left_top_margin_changed(); }
