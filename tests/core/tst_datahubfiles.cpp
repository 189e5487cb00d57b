#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "datahub.h"

// Recordings to and from CSV on the hub's worker thread.
class Tst_DataHubFiles : public QObject
{
    Q_OBJECT
    QTemporaryDir dir_;

    static void rows(DataHub &hub, const std::vector<std::vector<float>> &rs)
    {
        hub.lockDatas();
        for (const auto &r : rs)
            hub.append_row(r);
        hub.unlockDatas();
    }
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QString path(const QString &name) const { return dir_.filePath(name); }

private slots:
    void saveWritesHeaderAndPrecisions()
    {
        DataHub hub;
        hub.set_size(100);
        rows(hub, {{1, 2}, {3, 4}});
        hub.set_decimal(0, -1);
        hub.set_decimal(1, 3);
        QSignalSpy result(&hub, SIGNAL(alert_single_line(QString)));
        QVERIFY(hub.saveTo(path("ab.csv"), {"a", "b"}));
        QVERIFY(hub.wait_job(10000));
        QCOMPARE(read(path("ab.csv")), QByteArray("a,b\r\n1.000000,2.00\r\n3.000000,4.00\r\n"));
        QTRY_COMPARE(result.count(), 1);
        QCOMPARE(result.at(0).at(0).toString(), QString::fromUtf8("数据保存成功！"));
        QCOMPARE(hub.names(), (QList<QString>{"a", "b"}));
        // A stored decimal of 0 gives the default six digits.
        hub.set_decimal(1, 0);
        QVERIFY(hub.saveTo(path("ab0.csv"), {"a", "b"}, false));
        QVERIFY(hub.wait_job(10000));
        QVERIFY(read(path("ab0.csv")).contains("1.000000,2.000000\r\n"));
    }

    void saveAfterWrapIsOldestFirst()
    {
        DataHub hub;
        hub.set_size(4);
        rows(hub, {{1}, {2}, {3}, {4}, {5}, {6}});
        hub.set_decimal(0, 1);
        QVERIFY(hub.saveTo(path("wrap.csv"), {"x"}, false));
        QVERIFY(hub.wait_job(10000));
        QCOMPARE(read(path("wrap.csv")), QByteArray("x\r\n3\r\n4\r\n5\r\n6\r\n"));
    }

    void saveWithoutChannels()
    {
        DataHub hub;
        QSignalSpy result(&hub, SIGNAL(alert_single_line(QString)));
        QVERIFY(hub.saveTo(path("none.csv"), {}));
        QVERIFY(hub.wait_job(10000));
        QTRY_COMPARE(result.count(), 1);
        QVERIFY(result.at(0).at(0).toString().startsWith(QString::fromUtf8("无数据")));
        QVERIFY(!QFile::exists(path("none.csv")));
    }

    void namesCannotBreakTheColumns()
    {
        DataHub hub;
        hub.set_size(10);
        rows(hub, {{1, 2}});
        QVERIFY(hub.saveTo(path("names.csv"), {"volt,age", "cur\nrent"}, false));
        QVERIFY(hub.wait_job(10000));
        QVERIFY(read(path("names.csv")).startsWith("volt age,cur rent\r\n"));
    }

    void loadSizesToMaxAndReports()
    {
        QByteArray csv = "u,v,w\r\n";
        for (int i = 0; i < 10; ++i)
            csv += QByteArray::number(i) + "," + QByteArray::number(i * 2) + ",0.5\r\n";
        write(path("ten.csv"), csv);
        DataHub hub;
        hub.set_size(1000);
        QSignalSpy loaded(&hub, SIGNAL(datas_loaded(QList<QString>)));
        QSignalSpy result(&hub, SIGNAL(alert_single_line(QString)));
        QVERIFY(hub.loadFrom(path("ten.csv")));
        QVERIFY(hub.wait_job(10000));
        QCOMPARE(hub.size(), 50000);
        QCOMPARE(hub.num_lines(), 3);
        QCOMPARE(hub.effective_size(), 10);
        QCOMPARE(hub.names(), (QList<QString>{"u", "v", "w"}));
        QTRY_COMPARE(loaded.count(), 1);
        QTRY_COMPARE(result.count(), 1);
        QCOMPARE(result.at(0).at(0).toString(), QString::fromUtf8("已载入 10 组数据"));
        hub.lockDatas();
        QCOMPARE(hub.value(1, hub.size() - 1), 18.0f);
        QCOMPARE(hub.value(2, hub.size() - 10), 0.5f);
        hub.unlockDatas();
    }

    void loadFillsMissingNamesAndBadNumbers()
    {
        write(path("ragged.csv"), "p,q\n1,2,3\nx,,7\n4,5,6\r\n");
        DataHub hub;
        QVERIFY(hub.loadFrom(path("ragged.csv"), false));
        QVERIFY(hub.wait_job(10000));
        QCOMPARE(hub.names(), (QList<QString>{"p", "q", "I"}));
        QCOMPARE(hub.effective_size(), 3);
        hub.lockDatas();
        const int last = hub.size() - 1;
        QCOMPARE(hub.value(0, last - 1), 0.0f); // "x"
        QCOMPARE(hub.value(1, last - 1), 0.0f); // empty field
        QCOMPARE(hub.value(2, last - 1), 7.0f);
        QCOMPARE(hub.value(2, last), 6.0f);
        hub.unlockDatas();
        // A ragged row among agreeing ones is dropped by the row rules.
        write(path("short.csv"), "a,b\n1,2\n3\n5,6\n");
        QVERIFY(hub.loadFrom(path("short.csv"), false));
        QVERIFY(hub.wait_job(10000));
        QCOMPARE(hub.num_lines(), 2);
        QCOMPARE(hub.effective_size(), 2);
    }

    void loadSkipsALeadingTimeColumn()
    {
        // As a recorder writes it with arrival times; a row without a
        // field after the time is left out.
        write(path("timed.csv"), "time,a,b\r\n2026-12-10T05:30:01.123+01:00,1,2\r\n"
                                 "2026-12-10T05:30:01.124+01:00,3,4\r\nbroken\r\n0.250,5,6\r\n");
        DataHub hub;
        QVERIFY(hub.loadFrom(path("timed.csv"), false));
        QVERIFY(hub.wait_job(10000));
        QCOMPARE(hub.names(), (QList<QString>{"a", "b"}));
        QCOMPARE(hub.effective_size(), 3);
        hub.lockDatas();
        const int last = hub.size() - 1;
        QCOMPARE(hub.value(0, last - 2), 1.0f);
        QCOMPARE(hub.value(1, last - 1), 4.0f);
        QCOMPARE(hub.value(0, last), 5.0f);
        hub.unlockDatas();
        // A channel that is merely named "time" alone stays a channel.
        write(path("onlytime.csv"), "time\r\n7\r\n");
        QVERIFY(hub.loadFrom(path("onlytime.csv"), false));
        QVERIFY(hub.wait_job(10000));
        QCOMPARE(hub.names(), (QList<QString>{"time"}));
        QCOMPARE(hub.effective_size(), 1);
    }

    void roundTrip()
    {
        DataHub hub;
        hub.set_size(50000);
        std::vector<std::vector<float>> data;
        for (int i = 0; i < 2000; ++i)
            data.push_back({float(i), float(-i) / 4, 1e6f + float(i)});
        rows(hub, data);
        QVERIFY(hub.saveTo(path("round.csv"), {"a", "b", "中文"}, false));
        QVERIFY(hub.wait_job(10000));
        DataHub back;
        QVERIFY(back.loadFrom(path("round.csv"), false));
        QVERIFY(back.wait_job(10000));
        QCOMPARE(back.effective_size(), 2000);
        QCOMPARE(back.names(), (QList<QString>{"a", "b", QString::fromUtf8("中文")}));
        back.lockDatas();
        hub.lockDatas();
        for (int i = 0; i < 2000; i += 97)
            for (int c = 0; c < 3; ++c)
                QCOMPARE(back.value(c, 50000 - 2000 + i), hub.value(c, 50000 - 2000 + i));
        hub.unlockDatas();
        back.unlockDatas();
    }

    void missingFileLeavesDataAlone()
    {
        DataHub hub;
        hub.set_size(10);
        rows(hub, {{1, 2}});
        QSignalSpy fail(&hub, SIGNAL(alert(QString)));
        QSignalSpy result(&hub, SIGNAL(alert_single_line(QString)));
        QVERIFY(hub.loadFrom(path("missing.csv"), false));
        QVERIFY(hub.wait_job(10000));
        QTest::qWait(20);
        QCOMPARE(fail.count() + result.count(), 0);
        QCOMPARE(hub.num_lines(), 2);
        QCOMPARE(hub.size(), 10);
        QVERIFY(hub.loadFrom(path("missing.csv")));
        QVERIFY(hub.wait_job(10000));
        QTRY_COMPARE(fail.count(), 1);
        QCOMPARE(fail.at(0).at(0).toString(), QString::fromUtf8("文件打开失败\n") + path("missing.csv"));
        QCOMPARE(hub.num_lines(), 2);
        // A directory cannot be written as a file.
        QVERIFY(hub.saveTo(dir_.path(), {"a", "b"}));
        QVERIFY(hub.wait_job(10000));
        QTRY_COMPARE(fail.count(), 2);
    }

    void emptyFileAndOverlongLine()
    {
        write(path("empty.csv"), "");
        DataHub hub;
        QSignalSpy result(&hub, SIGNAL(alert_single_line(QString)));
        QVERIFY(hub.loadFrom(path("empty.csv")));
        QVERIFY(hub.wait_job(10000));
        QCOMPARE(hub.num_lines(), 0);
        QTRY_COMPARE(result.count(), 1);
        QCOMPARE(result.at(0).at(0).toString(), QString::fromUtf8("已载入 0 组数据"));

        // A line far longer than any row is skipped without being held whole.
        QFile big(path("long.csv"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write("a\n1\n");
        const QByteArray block(1 << 20, '7');
        for (int i = 0; i < 48; ++i)
            big.write(block);
        big.write("\n2\n");
        big.close();
        QVERIFY(hub.loadFrom(path("long.csv"), false));
        QVERIFY(hub.wait_job(20000));
        QCOMPARE(hub.effective_size(), 2);
        hub.lockDatas();
        QCOMPARE(hub.value(0, hub.size() - 1), 2.0f);
        hub.unlockDatas();
    }

    void requestWhileBusyIsRefused()
    {
        QByteArray csv = "a,b,c,d\n";
        for (int i = 0; i < 400000; ++i)
            csv += "1.5,2.5,3.5,4.5\n";
        write(path("busy.csv"), csv);
        DataHub hub;
        QSignalSpy fail(&hub, SIGNAL(alert(QString)));
        QVERIFY(hub.loadFrom(path("busy.csv"), false));
        const bool second = hub.saveTo(path("other.csv"), {"z"});
        QVERIFY(hub.wait_job(30000));
        if (!second) {
            QCOMPARE(fail.count(), 1);
            QVERIFY(fail.at(0).at(0).toString().contains(QString::fromUtf8("请稍后再试")));
        }
        // The running load kept its own settings: no result message.
        QCOMPARE(hub.effective_size(), 50000);
        QCOMPARE(hub.names(), (QList<QString>{"a", "b", "c", "d"}));
        QVERIFY(!second);
    }
};

QTEST_MAIN(Tst_DataHubFiles)
#include "tst_datahubfiles.moc"
