#ifndef DEBUGCLIENTIOSLOTSOBJ_H
#define DEBUGCLIENTIOSLOTSOBJ_H

#include <QAbstractSocket>
#include <QObject>

class DebugClient;

// The TCP socket's handlers; lives on the link's I/O thread.
class DebugClientIOSlotsObj : public QObject
{
    Q_OBJECT
public:
    explicit DebugClientIOSlotsObj(DebugClient *owner);

public slots:
    void connectedSlot();
    void disconnectedSlot();
    void readyReadSlot();
    void handleError(QAbstractSocket::SocketError error);
    void onTickTimeoutSlot();

private:
    DebugClient *owner_;
};

#endif
