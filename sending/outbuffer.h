#ifndef OUTBUFFER_H
#define OUTBUFFER_H

#include <QObject>

// The bytes waiting to be sent over the open link.
class OutBuffer : public QObject
{
    Q_OBJECT
public:
    explicit OutBuffer(QObject *parent = nullptr);
};

#endif
