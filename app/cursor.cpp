#include "cursor.h"

#include <QCursor>

Cursor::Cursor(QObject *parent)
    : QObject(parent)
{
}

QPointF Cursor::position() const
{
    return QPointF(QCursor::pos());
}
