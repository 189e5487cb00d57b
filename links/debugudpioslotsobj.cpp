#include "debugudpioslotsobj.h"

#include "debugudp.h"

DebugUDPIOSlotsObj::DebugUDPIOSlotsObj(DebugUDP *owner)
    : owner_(owner)
{
}

void DebugUDPIOSlotsObj::connectedSlot()
{
    owner_->set_link_connected(true);
}

void DebugUDPIOSlotsObj::disconnectedSlot()
{
    owner_->set_link_connected(false);
}

void DebugUDPIOSlotsObj::readyReadSlot()
{
    owner_->on_ready_read();
}

void DebugUDPIOSlotsObj::handleError(QAbstractSocket::SocketError)
{
    owner_->on_error();
}

void DebugUDPIOSlotsObj::onTickTimeoutSlot()
{
    owner_->onTickTimeout();
}
