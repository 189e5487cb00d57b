#ifndef ANSIPARSER_H
#define ANSIPARSER_H

#include <QObject>

// Names the ANSI formatter module for the UI; the formatting itself is
// AnsiFormatter's.
class AnsiParser : public QObject
{
    Q_OBJECT
public:
    explicit AnsiParser(QObject *parent = nullptr);
};

#endif
