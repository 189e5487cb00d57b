#ifndef MYTOOLS_H
#define MYTOOLS_H

#include <QObject>
#include <QString>

// Small helpers for the UI: two numeric conversions and the engine's
// component cache.
class MyTools : public QObject
{
    Q_OBJECT
public:
    explicit MyTools(QObject *parent = nullptr) : QObject(parent) {}

    // The conversion to int happens on the way in (fraction dropped).
    Q_INVOKABLE int math_trunc(int x) const { return x; }
    // The IEEE-754 single of value as its four bytes in memory order.
    Q_INVOKABLE QString float_to_hex(double value) const;
    // Drops the engine's cached components that nothing uses any more, so a
    // widget document edited on disk (or fixed after an error) is read anew.
    Q_INVOKABLE void trim_component_cache();
};

#endif
