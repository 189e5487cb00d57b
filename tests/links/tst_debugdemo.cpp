#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <cstdlib>
#include <thread>

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>

#include "debugdemo.h"
#include "typeregistry.h"
#include "demostreams.h"
#include "linkrig.h"

// The demo link's streams decoded by the matching shipped engines.
class Tst_DebugDemo : public QObject
{
    Q_OBJECT

    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // Runs the demo for ms and waits until its thread has ended.
    static void run(DebugDemo &demo, int ms)
    {
        const int base = linkrig::thread_count();
        demo.open();
        QVERIFY(demo.connected());
        QTest::qWait(ms);
        demo.close();
        QVERIFY(!demo.connected());
        QVERIFY(linkrig::wait_threads(base));
    }

    // The generator's first values on a thread that never seeded it.
    static std::vector<int> fresh_thread_randoms(int n)
    {
        std::vector<int> out;
        // Joined: the values are read after the thread has ended.
        std::thread t([&] {
            QT_WARNING_PUSH
            QT_WARNING_DISABLE_DEPRECATED
            for (int i = 0; i < n; ++i)
                out.push_back(qrand());
            QT_WARNING_POP
        });
        t.join();
        return out;
    }

private slots:
    // Threads Qt starts on first use (and keeps) would otherwise count as
    // the first run's leak.
    void initTestCase()
    {
        HubRig rig("ZezoRovar");
        DebugDemo demo;
        demo.set_datahub(&rig.hub);
        run(demo, 100);
    }

    void waveforms_data()
    {
        QTest::addColumn<QString>("protocal");
        QTest::addColumn<QString>("engine");
        QTest::newRow("ZezoRovar") << "ZezoRovar" << "ZezoRovar";
        QTest::newRow("ZazuZavuv") << "ZazuZavuv" << "ZazuZavuv";
        // Only the exact name selects the text format.
        QTest::newRow("zezorovar") << "zezorovar" << "ZazuZavuv";
    }

    void waveforms()
    {
        QFETCH(QString, protocal);
        QFETCH(QString, engine);
        HubRig rig(engine);
        QVERIFY(rig.has_engine());
        DebugDemo demo;
        demo.set_datahub(&rig.hub);
        demo.set_protocal(protocal);
        QCOMPARE(demo.timeout(), 5);

        for (int opening = 0; opening < 2; ++opening) {
            rig.hub.clear();
            QElapsedTimer wall;
            wall.start();
            run(demo, 2000);
            const auto rows = rig.rows();
            const int n = int(rows.size());
            QVERIFY2(n >= 150, qPrintable(QString("only %1 rows").arg(n)));
            QVERIFY(n <= wall.elapsed() / 5 + 1);
            // Row k carries the sample of simulated time k * 5 ms: no row
            // lost, none twice, and the random channel follows the
            // generator from its default seed on every new I/O thread.
            const std::vector<int> randoms = fresh_thread_randoms(n);
            for (int k = 1; k <= n; ++k) {
                const std::vector<float> &row = rows[size_t(k - 1)];
                QCOMPARE(int(row.size()), 5);
                const double t = k * 5 / 1000.0;
                const double pi = 3.141592653589793;
                const double want[5] = {(randoms[size_t(k - 1)] % 3400 - 1700) / 1000.0,
                                        std::sin(2 * pi * t) + std::sin(pi * t), std::sin(pi * t / 4),
                                        std::sin(4 * pi * t), std::sin(pi * t)};
                for (int c = 0; c < 5; ++c) {
                    if (std::fabs(row[size_t(c)] - want[c]) > 2e-6)
                        QFAIL(qPrintable(QString("row %1 channel %2: %3, want %4")
                                             .arg(k).arg(c).arg(row[size_t(c)]).arg(want[c])));
                }
            }
        }
    }

    void csv_replay_text()
    {
        QTemporaryDir dir;
        write(dir.filePath("10.csv"), "10,100\n");
        write(dir.filePath("2.csv"), "2,20\r\n");
        write(dir.filePath("1.csv"), "1,10\n");
        write(dir.filePath("notes.txt"), "99,990\n");
        HubRig rig("ZezoRovar");
        DebugDemo demo;
        demo.set_datahub(&rig.hub);
        demo.set_send_csv_list(true);
        demo.set_csv_dir(dir.path());
        demo.set_csv_timeout(20);
        run(demo, 600);

        const auto rows = rig.rows();
        QVERIFY(rows.size() >= 6);
        // Natural order, 2 before 10, from the first again after the last.
        const float order[3] = {1, 2, 10};
        for (size_t k = 0; k < rows.size(); ++k)
            QCOMPARE(rows[k], std::vector<float>({order[k % 3], order[k % 3] * 10}));
    }

    void csv_replay_binary()
    {
        QTemporaryDir dir;
        write(dir.filePath("1.csv"), "1, 2.5 ,abc\n");
        write(dir.filePath("2.csv"), "3,4,5\r\n");
        write(dir.filePath("10.csv"), "7,8,9\n6,6,6");
        HubRig rig("ZazuZavuv");
        DebugDemo demo;
        demo.set_datahub(&rig.hub);
        demo.set_protocal(QStringLiteral("ZazuZavuv"));
        demo.set_send_csv_list(true);
        demo.set_csv_dir(dir.path());
        demo.set_csv_timeout(20);
        run(demo, 600);

        const auto rows = rig.rows();
        QVERIFY(rows.size() >= 8);
        const std::vector<std::vector<float>> cycle = {{1, 2.5f, 0}, {3, 4, 5}, {7, 8, 9}, {6, 6, 6}};
        for (size_t k = 0; k < rows.size(); ++k)
            QCOMPARE(rows[k], cycle[k % 4]);
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("protocal");
        QTest::newRow("ZezoRovar") << "ZezoRovar";
        QTest::newRow("ZazuZavuv") << "ZazuZavuv";
    }

    void pictures()
    {
        QFETCH(QString, protocal);
        QTemporaryDir dir;
        write(dir.filePath("1.jpg"), demostreams::jpeg(32, 24, qRgb(220, 20, 20)));
        write(dir.filePath("2.jpg"), demostreams::jpeg(16, 8, qRgb(20, 20, 220)));
        write(dir.filePath("3.png"), demostreams::jpeg(64, 64));
        HubRig rig(protocal);
        DebugDemo demo;
        demo.set_datahub(&rig.hub);
        demo.set_protocal(protocal);
        demo.set_send_picture(true);
        demo.set_picture_dir(dir.path());
        demo.set_picture_timeout(20);
        demo.open();

        bool red = false;
        bool blue = false;
        QElapsedTimer clock;
        clock.start();
        while (!(red && blue) && clock.elapsed() < 5000) {
            QTest::qWait(5);
            if (rig.hub.image_count() < 1)
                continue;
            const QImage image = rig.hub.image(0);
            const QRgb p = image.pixel(image.width() / 2, image.height() / 2);
            if (image.size() == QSize(32, 24) && qRed(p) > 180 && qBlue(p) < 80)
                red = true;
            else if (image.size() == QSize(16, 8) && qBlue(p) > 180 && qRed(p) < 80)
                blue = true;
            else
                QVERIFY2(image.size() == QSize(32, 24) || image.size() == QSize(16, 8),
                         "an image that was not sent");
        }
        QVERIFY(red && blue);
        // The waveform runs beside the pictures, its rows intact.
        QVERIFY(rig.row_count() > 0);
        QCOMPARE(rig.hub.num_lines(), 5);
        demo.close();
    }

    void sending()
    {
        HubRig rig;
        DebugDemo demo;
        demo.set_datahub(&rig.hub);
        demo.send("before");
        QTRY_VERIFY(rig.terminal().contains("DebugDemo - Socket unconnected."));
        QVERIFY(!rig.terminal().contains("before"));
        demo.open();
        // The tick runs as on every link: the bytes are echoed as sent.
        rig.hub.out_buffer()->appendData("queued");
        QTRY_VERIFY(rig.terminal().contains("queued"));
        demo.close();
    }

    void from_the_scene()
    {
        // As the UI makes it: a registered type whose hub is the global one.
        TypeRegistry::registerAll();
        HubRig rig("ZezoRovar");
        QQmlEngine engine;
        engine.rootContext()->setContextProperty("datahub_global", &rig.hub);
        QQmlComponent component(&engine);
        component.setData("import mine.qt.DebugDemo 1.0\n"
                          "DebugDemo { datahub: datahub_global; timeout: 10 }",
                          QUrl());
        std::unique_ptr<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));
        auto *demo = qobject_cast<DebugDemo *>(object.get());
        QVERIFY(demo);
        QCOMPARE(demo->datahub(), &rig.hub);
        QVERIFY(QMetaObject::invokeMethod(demo, "open"));
        QVERIFY(object->property("connected").toBool());
        QTRY_VERIFY(rig.row_count() > 10);
        QVERIFY(QMetaObject::invokeMethod(demo, "close"));
        QVERIFY(!object->property("connected").toBool());
    }

    void missing_directories()
    {
        HubRig rig("ZezoRovar");
        DebugDemo demo;
        demo.set_datahub(&rig.hub);
        demo.set_send_csv_list(true);
        demo.set_csv_dir(QStringLiteral("/nonexistent/csv"));
        demo.set_send_picture(true);
        demo.set_picture_dir(QString());
        run(demo, 200);
        QCOMPARE(rig.row_count(), 0);
        QCOMPARE(rig.hub.image_tick(), 0);
    }
};

QTEST_MAIN(Tst_DebugDemo)
#include "tst_debugdemo.moc"
