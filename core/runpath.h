#ifndef RUNPATH_H
#define RUNPATH_H

#include <QString>

// The directory of the executable, captured once at start-up. Every
// directory the program looks for plug-ins, widgets and themes in derives
// from it.
class RunPath
{
public:
    static void capture();
    static void set(const QString &path);
    static QString get();
    static QString dataengines();
};

#endif
