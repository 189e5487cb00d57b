#include <QtTest>

#include <QDir>
#include <QFile>
#include <QOpenGLContext>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>

#include "myapplication.h"
#include "myscreen.h"
#include "mywindow.h"
#include "typeregistry.h"

namespace {

QString samples_file()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/samples";
}

void save_samples(const QByteArray &content)
{
    QDir().mkpath(QFileInfo(samples_file()).absolutePath());
    QFile f(samples_file());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

}

class Tst_MyWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        TypeRegistry::registerAll();
    }
    void init()
    {
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).removeRecursively();
    }

    void savedSampleCount_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("samples");
        QTest::newRow("0") << QByteArray("0") << 1;
        QTest::newRow("1") << QByteArray("1") << 1;
        QTest::newRow("8") << QByteArray("8") << 8;
        QTest::newRow("4 with line break") << QByteArray("4\n") << 4;
        QTest::newRow("negative") << QByteArray("-16") << 1;
        QTest::newRow("garbage") << QByteArray("eight") << 2;
        QTest::newRow("binary") << QByteArray("\x01\xff\x00\x07", 4) << 2;
        QTest::newRow("empty") << QByteArray() << 2;
        QTest::newRow("10 MB of digits") << QByteArray(10 * 1024 * 1024, '9') << 2;
    }
    void savedSampleCount()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, samples);
        save_samples(content);
        MyWindow window;
        QCOMPARE(window.samples(), samples);
        QCOMPARE(window.requestedFormat().samples(), samples);
    }

    void defaultsWithoutFile()
    {
        MyWindow window;
        QCOMPARE(window.samples(), 2);
        const QSurfaceFormat format = window.requestedFormat();
        QCOMPARE(format.samples(), 2);
        QCOMPARE(format.depthBufferSize(), 24);
        QCOMPARE(format.stencilBufferSize(), 8);
        QVERIFY(format.hasAlpha());
        if (QOpenGLContext::openGLModuleType() == QOpenGLContext::LibGL) {
            QCOMPARE(format.majorVersion(), 2);
            QCOMPARE(format.minorVersion(), 0);
            QCOMPARE(format.profile(), QSurfaceFormat::CoreProfile);
        }
        QCOMPARE(window.flags(), Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint
                                     | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    }

    void unreadableFileKeepsDefault()
    {
        QVERIFY(QDir().mkpath(samples_file()));  // a directory in place of the file
        MyWindow window;
        QCOMPARE(window.samples(), 2);
    }

    void writingSamplesTakesEffectAfterSaving()
    {
        MyWindow window;
        QSignalSpy changed(&window, &MyWindow::samples_changed);
        window.set_samples(2);
        QCOMPARE(changed.count(), 0);
        window.set_samples(0);
        QCOMPARE(window.samples(), 1);
        QCOMPARE(changed.count(), 1);
        window.set_samples(1);
        QCOMPARE(changed.count(), 1);
        QVERIFY(window.setProperty("samples", 16));
        QCOMPARE(window.samples(), 16);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(window.requestedFormat().samples(), 2);  // only at the next start

        window.saveSamples();
        QFile f(samples_file());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("16"));
        MyWindow next;
        QCOMPARE(next.samples(), 16);
    }

    void shownWindowReportsItsSurface()
    {
        save_samples("4");
        MyWindow window;
        window.resize(200, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(window.isSceneGraphInitialized());
        QCOMPARE(window.real_samples(), window.format().samples());
        QVERIFY(window.real_samples() >= 0);
        QVERIFY(window.format().depthBufferSize() >= 24);
        const QSurfaceFormat context = window.openglContext()->format();
        qInfo() << "asked" << window.samples() << "samples, got" << window.real_samples() << "; context"
                << context.majorVersion() << context.minorVersion() << context.profile();
    }

    void followsItsScreen()
    {
        MyWindow window;
        QScreen *first = window.screen();
        QVERIFY(first);
        MyScreen *wrapper = window.current_screen();
        QVERIFY(wrapper);
        QCOMPARE(wrapper->screen(), first);
        QCOMPARE(wrapper->width(), first->availableGeometry().width());
        QCOMPARE(wrapper->height(), first->availableGeometry().height());

        const QList<QScreen *> screens = QGuiApplication::screens();
        if (screens.size() < 2)
            QSKIP("needs a second screen (QELO_XVFB_ARGS)");
        QScreen *second = screens.at(1);
        QVERIFY(second->availableGeometry() != first->availableGeometry());
        QSignalSpy changed(&window, &MyWindow::current_screen_changed);
        QSignalSpy geometry(wrapper, &MyScreen::geometryChanged);
        window.setScreen(second);
        QCOMPARE(changed.count(), 1);
        QVERIFY(geometry.count() >= 1);
        QCOMPARE(window.current_screen(), wrapper);
        QCOMPARE(wrapper->screen(), second);
        QCOMPARE(wrapper->x(), second->availableGeometry().x());
        QCOMPARE(wrapper->width(), second->availableGeometry().width());
        QCOMPARE(wrapper->height(), second->availableGeometry().height());
    }

    void writingCurrentScreenRewrapsTheOwnWrapper()
    {
        MyWindow window;
        MyScreen *own = window.current_screen();
        QSignalSpy changed(&window, &MyWindow::current_screen_changed);
        MyScreen other(QGuiApplication::screens().last());
        QVERIFY(window.setProperty("current_screen", QVariant::fromValue(&other)));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(window.current_screen(), own);
        QCOMPARE(own->screen(), other.screen());
        window.set_current_screen(nullptr);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(own->width(), 0);
    }

    void qmlSceneInAMyWindow()
    {
        save_samples("8");
        QQmlApplicationEngine engine;
        engine.loadData("import QtQuick 2.15\nimport mine.qt.MyWindow 1.0\n"
                        "MyWindow { width: 120; height: 80; visible: true; color: \"black\"\n"
                        "  property int wrapped_width: current_screen.width\n"
                        "  Rectangle { objectName: \"box\"; x: 10; y: 10; width: 40; height: 30;"
                        " color: \"#ff0000\" } }");
        QCOMPARE(engine.rootObjects().size(), 1);
        auto *window = qobject_cast<MyWindow *>(engine.rootObjects().first());
        QVERIFY(window);
        QCOMPARE(window->property("samples").toInt(), 8);
        QCOMPARE(window->property("wrapped_width").toInt(), window->screen()->availableGeometry().width());
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QImage image;
        QTRY_VERIFY((image = window->grabWindow()).pixelColor(25, 20) == QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(100, 70), QColor(0, 0, 0));
    }
};

QTEST_MAIN(Tst_MyWindow)
#include "tst_mywindow.moc"
