#ifndef CHARTRESOURCES_H
#define CHARTRESOURCES_H

// The shaders and the chart scene are compiled into the static library;
// its users must pull them in before the first lookup.
class ChartResources
{
public:
    static void ensure();
};

#endif
