#ifndef MARKERSHAPE_H
#define MARKERSHAPE_H

#include <QColor>
#include <QLineF>
#include <QRectF>
#include <QString>

// One drawing step of the marker item: a stroke, a circle or a text box.
// Measurement shapes use the dashed measuring pen.
struct MarkerShape
{
    enum Kind { Line, Circle, Text };

    Kind kind = Line;
    QColor color;
    bool measure = false;
    QLineF line;
    QPointF center;
    qreal radius = 0.0;
    QRectF rect;
    QString text;
    int align = 0;
};

#endif
