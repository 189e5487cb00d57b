#include "chartresources.h"

#include <QtGlobal>
#include <mutex>

static void init_chart_resources()
{
    Q_INIT_RESOURCE(shaders);
    Q_INIT_RESOURCE(chart);
}

void ChartResources::ensure()
{
    static std::once_flag once;
    std::call_once(once, init_chart_resources);
}
