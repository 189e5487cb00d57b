#ifndef TEXTBUFFER_H
#define TEXTBUFFER_H

#include <QByteArray>
#include <QDateTime>
#include <QObject>

// Everything the terminal view shows: received, sent and error text.
class TextBuffer : public QObject
{
    Q_OBJECT
public:
    explicit TextBuffer(QObject *parent = nullptr);

    void append_received(const char *data, int length, const QDateTime &time, bool as_text);
    void append_sent(const QByteArray &data, bool as_text);
    Q_INVOKABLE void AppendErrorText(QByteArray text);
};

#endif
