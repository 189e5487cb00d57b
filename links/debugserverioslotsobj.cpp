#include "debugserverioslotsobj.h"

#include "debugserver.h"

DebugServerIOSlotsObj::DebugServerIOSlotsObj(DebugServer *owner)
    : owner_(owner)
{
}

void DebugServerIOSlotsObj::disconnectedSlot()
{
    owner_->on_disconnected();
}

void DebugServerIOSlotsObj::readyReadSlot()
{
    owner_->on_ready_read();
}

void DebugServerIOSlotsObj::newConnectionSlot()
{
    owner_->on_new_connection();
}

void DebugServerIOSlotsObj::onTickTimeoutSlot()
{
    owner_->onTickTimeout();
}
