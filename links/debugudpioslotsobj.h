#ifndef DEBUGUDPIOSLOTSOBJ_H
#define DEBUGUDPIOSLOTSOBJ_H

#include <QAbstractSocket>
#include <QObject>

class DebugUDP;

// The UDP socket's handlers; lives on the link's I/O thread.
class DebugUDPIOSlotsObj : public QObject
{
    Q_OBJECT
public:
    explicit DebugUDPIOSlotsObj(DebugUDP *owner);

public slots:
    void connectedSlot();
    void disconnectedSlot();
    void readyReadSlot();
    void handleError(QAbstractSocket::SocketError error);
    void onTickTimeoutSlot();

private:
    DebugUDP *owner_;
};

#endif
