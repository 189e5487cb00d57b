#include "typeregistry.h"

#include <QQmlEngine>
#include <QQuickWindow>
#include <QWindow>

#include "ansiparser.h"
#include "axispainter.h"
#include "chartresources.h"
#include "cmd.h"
#include "cursor.h"
#include "dataengineloader.h"
#include "datahub.h"
#include "debugclient.h"
#include "debugdemo.h"
#include "debugreplay.h"
#include "debugserial.h"
#include "debugserver.h"
#include "debugudp.h"
#include "dottedline.h"
#include "dyntranslator.h"
#include "fileio.h"
#include "gridpainter.h"
#include "localinfo.h"
#include "markerpainter.h"
#include "mouse.h"
#include "myapplication.h"
#include "myscreen.h"
#include "mytools.h"
#include "mywindow.h"
#include "outbuffer.h"
#include "qmlclipboardadapter.h"
#include "qmlfiledialog.h"
#include "ringbufferwave.h"
#include "statefile.h"
#include "textbuffer.h"
#include "threetools.h"

void TypeRegistry::registerAll()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    ChartResources::ensure();
    qmlRegisterType<TextBuffer>("mine.qt.TextBuffer", 1, 0, "TextBuffer");
    qmlRegisterType<OutBuffer>("mine.qt.OutBuffer", 1, 0, "OutBuffer");
    qmlRegisterType<Cmd>("mine.qt.Cmd", 1, 0, "Cmd");
    qmlRegisterType<RingBufferWave>("mine.qt.RingBufferWave", 1, 0, "RingBufferWave");
    qmlRegisterType<MarkerPainter>("mine.qt.MarkerPainter", 1, 0, "MarkerPainter");
    qmlRegisterType<DottedLine>("mine.qt.DottedLine", 1, 0, "DottedLine");
    qmlRegisterType<GridPainter>("mine.qt.GridPainter", 1, 0, "GridPainter");
    qmlRegisterType<AxisPainter>("mine.qt.AxisPainter", 1, 0, "AxisPainter");
    qmlRegisterType<DebugDemo>("mine.qt.DebugDemo", 1, 0, "DebugDemo");
    qmlRegisterType<DebugServer>("mine.qt.DebugServer", 1, 0, "DebugServer");
    qmlRegisterType<DebugClient>("mine.qt.DebugClient", 1, 0, "DebugClient");
    qmlRegisterType<DebugUDP>("mine.qt.DebugUDP", 1, 0, "DebugUDP");
    qmlRegisterType<DebugSerial>("mine.qt.DebugSerial", 1, 0, "DebugSerial");
    qmlRegisterType<DebugReplay>("mine.qt.DebugReplay", 1, 0, "DebugReplay");
    qmlRegisterType<QMLFileDialog>("mine.qt.QMLFileDialog", 1, 0, "QMLFileDialog");
    qmlRegisterType<FileIO>("mine.qt.FileIO", 1, 0, "FileIO");
    qmlRegisterType<QmlClipboardAdapter>("mine.qt.Clipboard", 1, 0, "Clipboard");
    qmlRegisterType<LocalInfo>("mine.qt.LocalInfo", 1, 0, "LocalInfo");
    qmlRegisterType<DataEngineLoader>("mine.qt.DataEngineLoader", 1, 0, "DataEngineLoader");
    qmlRegisterType<MyTools>("mine.qt.MyTools", 1, 0, "MyTools");
    qmlRegisterType<DataHub>("mine.qt.DataHub", 1, 0, "DataHub");
    qmlRegisterType<Cursor>("mine.qt.Cursor", 1, 0, "Cursor");
    qmlRegisterType<Mouse>("mine.qt.Mouse", 1, 0, "Mouse");
    qmlRegisterType<DynTranslator>("mine.qt.DynTranslator", 1, 0, "DynTranslator");
    qmlRegisterType<AnsiParser>("mine.qt.AnsiParser", 1, 0, "AnsiParser");
    qmlRegisterType<MyApplication>("mine.qt.MyApplication", 1, 0, "MyApplication");
    qmlRegisterType<MyScreen>("mine.qt.MyScreen", 1, 0, "MyScreen");
    qmlRegisterType<MyWindow>("mine.qt.MyWindow", 1, 0, "MyWindow");
    qmlRegisterType<StateFile>("mine.qt.StateFile", 1, 0, "StateFile");
    qmlRegisterType<ThreeTools>("mine.qt.ThreeTools", 1, 0, "ThreeTools");

    qmlRegisterRevision<QWindow, 1>("mine.qt.MyWindow", 1, 0);
    qmlRegisterRevision<QQuickWindow, 1>("mine.qt.MyWindow", 1, 0);
}
