#ifndef TEXTBUFFER_H
#define TEXTBUFFER_H

#include <QObject>

// Everything the terminal view shows: received, sent and error text.
class TextBuffer : public QObject
{
    Q_OBJECT
public:
    explicit TextBuffer(QObject *parent = nullptr);
};

#endif
