#ifndef DEBUGSERIALIOSLOTSOBJ_H
#define DEBUGSERIALIOSLOTSOBJ_H

#include <QObject>
#include <QSerialPort>

class DebugSerial;

// The serial port's handlers; lives on the link's I/O thread.
class DebugSerialIOSlotsObj : public QObject
{
    Q_OBJECT
public:
    explicit DebugSerialIOSlotsObj(DebugSerial *owner);

public slots:
    void readyReadSlot();
    void handleError(QSerialPort::SerialPortError error);
    void onTickTimeoutSlot();

private:
    DebugSerial *owner_;
};

#endif
