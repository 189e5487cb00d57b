#include "typeregistry.h"

#include <QQmlEngine>
#include <QQuickWindow>
#include <QWindow>

#include "axispainter.h"
#include "chartresources.h"
#include "dataengineloader.h"
#include "datahub.h"
#include "dottedline.h"
#include "gridpainter.h"
#include "markerpainter.h"
#include "myapplication.h"
#include "myscreen.h"
#include "mytools.h"
#include "outbuffer.h"
#include "ringbufferwave.h"
#include "textbuffer.h"

void TypeRegistry::registerAll()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    ChartResources::ensure();
    qmlRegisterType<TextBuffer>("mine.qt.TextBuffer", 1, 0, "TextBuffer");
    qmlRegisterType<OutBuffer>("mine.qt.OutBuffer", 1, 0, "OutBuffer");
    qmlRegisterType<RingBufferWave>("mine.qt.RingBufferWave", 1, 0, "RingBufferWave");
    qmlRegisterType<MarkerPainter>("mine.qt.MarkerPainter", 1, 0, "MarkerPainter");
    qmlRegisterType<DottedLine>("mine.qt.DottedLine", 1, 0, "DottedLine");
    qmlRegisterType<GridPainter>("mine.qt.GridPainter", 1, 0, "GridPainter");
    qmlRegisterType<AxisPainter>("mine.qt.AxisPainter", 1, 0, "AxisPainter");
    qmlRegisterType<DataEngineLoader>("mine.qt.DataEngineLoader", 1, 0, "DataEngineLoader");
    qmlRegisterType<MyTools>("mine.qt.MyTools", 1, 0, "MyTools");
    qmlRegisterType<DataHub>("mine.qt.DataHub", 1, 0, "DataHub");
    qmlRegisterType<MyApplication>("mine.qt.MyApplication", 1, 0, "MyApplication");
    qmlRegisterType<MyScreen>("mine.qt.MyScreen", 1, 0, "MyScreen");

    qmlRegisterRevision<QWindow, 1>("mine.qt.MyWindow", 1, 0);
    qmlRegisterRevision<QQuickWindow, 1>("mine.qt.MyWindow", 1, 0);
}
