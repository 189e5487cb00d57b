#include "startup.h"

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "colorimageprovider.h"
#include "crashhandler.h"
#include "datahub.h"
#include "dyntranslator.h"
#include "imageprovider.h"
#include "myapplication.h"
#include "runpath.h"
#include "terminationsignals.h"
#include "typeregistry.h"

namespace {

QString option_value(const QStringList &args, const QString &name)
{
    const int i = args.indexOf(name);
    return (i >= 0 && i + 1 < args.size()) ? args.at(i + 1) : QString();
}

// Saves the first top-level Qt Quick window of the engine once it has been
// on screen for a moment, then quits.
void arm_screenshot(QQmlApplicationEngine *engine, const QString &path)
{
    auto *poll = new QTimer(engine);
    poll->setInterval(100);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, engine, [engine, path, poll, waited]() {
        *waited += 100;
        QQuickWindow *window = nullptr;
        for (QObject *root : engine->rootObjects())
            if ((window = qobject_cast<QQuickWindow *>(root)))
                break;
        if (!window || !window->isExposed()) {
            if (*waited > 20000) {
                std::fprintf(stderr, "qelo: the main window was never shown\n");
                QCoreApplication::exit(2);
            }
            return;
        }
        if (*waited < 1500)
            return;
        poll->stop();
        const QImage image = window->grabWindow();
        if (image.isNull() || !image.save(path)) {
            std::fprintf(stderr, "qelo: could not save the screenshot to %s\n", qPrintable(path));
            QCoreApplication::exit(2);
            return;
        }
        std::printf("%s\n", qPrintable(path));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    poll->start();
}

// Closing the main window saves the state and ends the program, whatever
// other windows are open. A request to end the process from outside closes
// the window the same way; before the window has restored the saved state
// there is nothing to save, and saving the defaults would overwrite it, so
// such a request just ends the program (also while the splash shows).
QQuickWindow *main_window(QQmlApplicationEngine *engine)
{
    for (QObject *root : engine->rootObjects())
        if (auto *window = qobject_cast<QQuickWindow *>(root))
            return window;
    return nullptr;
}

// Sets `ended` when a request came before the window could be closed.
void arm_close_requests(QQmlApplicationEngine *engine, MyApplication *myapp, bool *ended)
{
    auto *requests = new TerminationSignals(qApp);
    auto handled = std::make_shared<bool>(false);
    QObject::connect(requests, &TerminationSignals::requested, qApp, [engine, myapp, ended, handled]() {
        if (*handled)
            return;
        *handled = true;
        QQuickWindow *window = main_window(engine);
        if (window && myapp->initialized() && window->isVisible()) {
            window->close();
        } else {
            *ended = true;
            QCoreApplication::quit();
        }
    });
}

// Once the main window exists: its closing ends the program.
void quit_with_main_window(QQmlApplicationEngine *engine, MyApplication *myapp)
{
    if (QQuickWindow *window = main_window(engine))
        QObject::connect(window, &QWindow::visibleChanged, qApp, [myapp](bool visible) {
            if (!visible && myapp->initialized())
                QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        });
}

}

void Startup::publish(QQmlApplicationEngine *engine, DataHub *hub, DynTranslator *translator,
                      MyApplication *myapp)
{
    engine->rootContext()->setContextProperty(QStringLiteral("datahub_global"), hub);
    engine->rootContext()->setContextProperty(QStringLiteral("dyntranslator"), translator);
    engine->rootContext()->setContextProperty(QStringLiteral("myapp"), myapp);
    engine->addImageProvider(QStringLiteral("data"), hub->take_image_provider());
    engine->addImageProvider(QStringLiteral("color"), new ColorImageProvider());
    engine->addImportPath(QStringLiteral("qrc:/"));
    // Texts the documents do not style themselves (controls' own labels)
    // follow the UI's default render style.
    QQuickWindow::setTextRenderType(QQuickWindow::NativeTextRendering);
}

int Startup::run(int argc, char *argv[])
{
    CrashHandler::install();
    QCoreApplication::setAttribute(Qt::AA_UseDesktopOpenGL);
    auto *app = new QApplication(argc, argv);
    RunPath::capture();
    TypeRegistry::registerAll();

    auto *hub = new DataHub();
    auto *translator = new DynTranslator();
    auto *myapp = new MyApplication(app);

    auto *engine = new QQmlApplicationEngine();
    bool ended = false;
    arm_close_requests(engine, myapp, &ended);
    auto *splash_engine = new QQmlApplicationEngine();
    splash_engine->rootContext()->setContextProperty(QStringLiteral("myapp"), myapp);
    splash_engine->load(QUrl(QStringLiteral("qrc:///content/Splash.qml")));

    auto *loop = new QEventLoop();
    QTimer::singleShot(50, loop, SLOT(quit()));
    loop->exec();

    translator->set_application(app);
    translator->set_engine(engine);
    if (translator->language_index() != 1)
        translator->select_language(translator->language_index(), true);

    publish(engine, hub, translator, myapp);

    const QString shot = option_value(QCoreApplication::arguments(), QStringLiteral("--screenshot"));
    if (!shot.isEmpty())
        arm_screenshot(engine, shot);

    engine->load(QUrl(QStringLiteral("qrc:///content/main.qml")));
    quit_with_main_window(engine, myapp);

    const int result = ended ? 0 : app->exec();
    translator->saveLanguage();

    delete loop;
    delete splash_engine;
    delete engine;
    delete app;
    return result != 0 ? 1 : 0;
}
