#include "debugserialioslotsobj.h"

#include "debugserial.h"

DebugSerialIOSlotsObj::DebugSerialIOSlotsObj(DebugSerial *owner)
    : owner_(owner)
{
}

void DebugSerialIOSlotsObj::readyReadSlot()
{
    owner_->on_ready_read();
}

void DebugSerialIOSlotsObj::handleError(QSerialPort::SerialPortError error)
{
    owner_->on_error(error);
}

void DebugSerialIOSlotsObj::onTickTimeoutSlot()
{
    owner_->onTickTimeout();
}
