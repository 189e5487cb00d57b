#include "ansiparser.h"

AnsiParser::AnsiParser(QObject *parent)
    : QObject(parent)
{
}
