#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <unistd.h>

#include "crashhandler.h"

// The test runs itself as a child that installs the handler and dies by a
// fatal signal; the parent checks the report in the child's "./dmp/".
class Tst_CrashHandler : public QObject
{
    Q_OBJECT

    static QStringList reports(const QString &dir)
    {
        return QDir(dir + "/dmp").entryList({"*.dmp"}, QDir::Files);
    }
    static QProcess::ExitStatus crash(const QString &dir, const QString &how, int *code)
    {
        QProcess child;
        child.setWorkingDirectory(dir);
        child.start(QCoreApplication::applicationFilePath(), {"crash-child", how});
        child.waitForFinished(30000);
        *code = child.exitCode();
        return child.exitStatus();
    }

private slots:
    void reportWrittenAndProcessDiesBySignal_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("name");
        QTest::newRow("segv") << "segv" << "SIGSEGV";
        QTest::newRow("abort") << "abort" << "SIGABRT";
        QTest::newRow("fpe") << "fpe" << "SIGFPE";
    }
    void reportWrittenAndProcessDiesBySignal()
    {
        QFETCH(QString, how);
        QFETCH(QString, name);
        QTemporaryDir dir;
        int code = 0;
        QCOMPARE(crash(dir.path(), how, &code), QProcess::CrashExit);
        const QStringList files = reports(dir.path());
        QCOMPARE(files.size(), 1);
        QVERIFY(QRegularExpression("^\\d{4}_\\d{2}_\\d{2}_\\d{2}_\\d{2}_\\d{2}\\.dmp$").match(files[0]).hasMatch());
        // The name is the local time of the crash.
        const QDateTime stamp = QDateTime::fromString(files[0].left(19), "yyyy_MM_dd_hh_mm_ss");
        QVERIFY(qAbs(stamp.secsTo(QDateTime::currentDateTime())) < 60);
        QFile f(dir.path() + "/dmp/" + files[0]);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY2(text.contains("signal: " + name.toLatin1()), text.constData());
        QVERIFY(text.contains("fault address: 0x"));
        QVERIFY(text.contains("backtrace:"));
        QVERIFY(text.count('\n') > 5);
    }

    void existingDirectoryIsReused()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("dmp");
        QFile keep(dir.path() + "/dmp/keep.txt");
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.close();
        int code = 0;
        QCOMPARE(crash(dir.path(), "segv", &code), QProcess::CrashExit);
        QCOMPARE(reports(dir.path()).size(), 1);
        QVERIFY(keep.exists());
    }

    void unwritableDirectoryStillDies()
    {
        QTemporaryDir dir;
        // A file named "dmp" keeps the directory from being made.
        QFile block(dir.path() + "/dmp");
        QVERIFY(block.open(QIODevice::WriteOnly));
        block.close();
        int code = 0;
        QCOMPARE(crash(dir.path(), "segv", &code), QProcess::CrashExit);
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "crash-child") == 0) {
        CrashHandler::install();
        const QByteArray how = argv[2];
        if (how == "abort")
            std::abort();
        if (how == "fpe")
            raise(SIGFPE);
        volatile int *null = nullptr;
        *null = 1;
        return 0;
    }
    QCoreApplication app(argc, argv);
    Tst_CrashHandler t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_crashhandler.moc"
