#ifndef DEBUGSERVERIOSLOTSOBJ_H
#define DEBUGSERVERIOSLOTSOBJ_H

#include <QObject>

class DebugServer;

// The listening server's and its clients' handlers; lives on the link's
// I/O thread.
class DebugServerIOSlotsObj : public QObject
{
    Q_OBJECT
public:
    explicit DebugServerIOSlotsObj(DebugServer *owner);

public slots:
    void disconnectedSlot();
    void readyReadSlot();
    void newConnectionSlot();
    void onTickTimeoutSlot();

private:
    DebugServer *owner_;
};

#endif
