#include "dottedline.h"

#include <QPainter>

DottedLine::DottedLine(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
}

void DottedLine::paint(QPainter *painter)
{
    QPen pen(color_, line_width_, dash_on_ ? Qt::DashLine : Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->drawLine(line());
}

void DottedLine::set_start_x(qreal v) { start_x_ = v; emit start_x_changed(); update(); }
void DottedLine::set_start_y(qreal v) { start_y_ = v; emit start_y_changed(); }
void DottedLine::set_end_x(qreal v) { end_x_ = v; emit end_x_changed(); }
void DottedLine::set_end_y(qreal v) { end_y_ = v; emit end_y_changed(); }
void DottedLine::set_line_width(qreal v) { line_width_ = v; emit line_width_changed(); update(); }
void DottedLine::set_color(const QColor &v) { color_ = v; emit color_changed(); update(); }
void DottedLine::set_dash_on(bool v) { dash_on_ = v; emit dash_on_changed(); }
