#include "debugclientioslotsobj.h"

#include "debugclient.h"

DebugClientIOSlotsObj::DebugClientIOSlotsObj(DebugClient *owner)
    : owner_(owner)
{
}

void DebugClientIOSlotsObj::connectedSlot()
{
    owner_->set_link_connected(true);
}

void DebugClientIOSlotsObj::disconnectedSlot()
{
    owner_->set_link_connected(false);
}

void DebugClientIOSlotsObj::readyReadSlot()
{
    owner_->on_ready_read();
}

void DebugClientIOSlotsObj::handleError(QAbstractSocket::SocketError)
{
    owner_->on_error();
}

void DebugClientIOSlotsObj::onTickTimeoutSlot()
{
    owner_->onTickTimeout();
}
