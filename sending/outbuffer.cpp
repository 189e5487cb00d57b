#include "outbuffer.h"

OutBuffer::OutBuffer(QObject *parent)
    : QObject(parent)
{
}
