#include "textbuffer.h"

TextBuffer::TextBuffer(QObject *parent)
    : QObject(parent)
{
}

void TextBuffer::append_received(const char *, int, const QDateTime &, bool) {}
void TextBuffer::append_sent(const QByteArray &, bool) {}
void TextBuffer::AppendErrorText(QByteArray) {}
