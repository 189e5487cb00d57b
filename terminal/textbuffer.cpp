#include "textbuffer.h"

TextBuffer::TextBuffer(QObject *parent)
    : QObject(parent)
{
}
