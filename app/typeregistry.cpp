#include "typeregistry.h"

#include <QQmlEngine>
#include <QQuickWindow>
#include <QWindow>

#include "ansiparser.h"
#include "cmd.h"
#include "dataengineloader.h"
#include "datahub.h"
#include "myapplication.h"
#include "myscreen.h"
#include "mytools.h"
#include "outbuffer.h"
#include "textbuffer.h"

void TypeRegistry::registerAll()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    qmlRegisterType<TextBuffer>("mine.qt.TextBuffer", 1, 0, "TextBuffer");
    qmlRegisterType<OutBuffer>("mine.qt.OutBuffer", 1, 0, "OutBuffer");
    qmlRegisterType<Cmd>("mine.qt.Cmd", 1, 0, "Cmd");
    qmlRegisterType<DataEngineLoader>("mine.qt.DataEngineLoader", 1, 0, "DataEngineLoader");
    qmlRegisterType<MyTools>("mine.qt.MyTools", 1, 0, "MyTools");
    qmlRegisterType<DataHub>("mine.qt.DataHub", 1, 0, "DataHub");
    qmlRegisterType<AnsiParser>("mine.qt.AnsiParser", 1, 0, "AnsiParser");
    qmlRegisterType<MyApplication>("mine.qt.MyApplication", 1, 0, "MyApplication");
    qmlRegisterType<MyScreen>("mine.qt.MyScreen", 1, 0, "MyScreen");

    qmlRegisterRevision<QWindow, 1>("mine.qt.MyWindow", 1, 0);
    qmlRegisterRevision<QQuickWindow, 1>("mine.qt.MyWindow", 1, 0);
}
