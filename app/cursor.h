#ifndef CURSOR_H
#define CURSOR_H

#include <QObject>
#include <QPointF>

// The global mouse position for the UI.
class Cursor : public QObject
{
    Q_OBJECT
public:
    explicit Cursor(QObject *parent = nullptr);

    Q_INVOKABLE QPointF position() const;
};

#endif
