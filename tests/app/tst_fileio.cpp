#include <QtTest>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <unistd.h>

#include "fileio.h"

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void put(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

}

class Tst_FileIO : public QObject
{
    Q_OBJECT

    QTemporaryDir tmp_;
    QString root() const { return tmp_.path(); }

private slots:
    void initTestCase()
    {
        QVERIFY(tmp_.isValid());
        QStandardPaths::setTestModeEnabled(true);
    }

    void writeAndReadBack_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::newRow("plain") << "plain/a.txt";
        QTest::newRow("spaces") << "with space/deeper dir/b c.txt";
        QTest::newRow("non-ascii") << QStringLiteral("中文 目录/ü/数据 ö.txt");
    }
    void writeAndReadBack()
    {
        QFETCH(QString, relative);
        const QString path = root() + "/rw/" + relative;
        const QString text = QStringLiteral("line 1\n二行 ✓\n");
        FileIO io;
        QSignalSpy errors(&io, &FileIO::error);
        QVERIFY(io.write(path, text));
        QCOMPARE(contents(path), text.toUtf8());
        QCOMPARE(io.read(path), text);

        io.setSource(path);
        QCOMPARE(io.source(), path);
        QCOMPARE(io.read(), text);
        QCOMPARE(io.read_raw(), text.toUtf8());
        QVERIFY(io.exist());
        QVERIFY(io.exist(path));

        QVERIFY(io.write(QStringLiteral("短")));
        QCOMPARE(io.read(), QStringLiteral("短"));
        QCOMPARE(errors.count(), 0);
    }

    void readErrorsReportThroughSignal()
    {
        FileIO io;
        QSignalSpy errors(&io, &FileIO::error);
        QCOMPARE(io.read(), QString());
        QCOMPARE(io.read_raw(), QByteArray());
        QCOMPARE(errors.count(), 2);
        QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("source is empty"));
        QCOMPARE(errors.at(1).at(0).toString(), QStringLiteral("source is empty"));

        errors.clear();
        io.setSource(root() + "/no such file.txt");
        QCOMPARE(io.read(), QString());
        QCOMPARE(io.read_raw(), QByteArray());
        io.setSource(root());  // a directory cannot be read as a file
        QCOMPARE(io.read(), QString());
        QCOMPARE(errors.count(), 3);
        for (const QList<QVariant> &e : errors)
            QCOMPARE(e.at(0).toString(), QStringLiteral("Unable to open the file"));

        errors.clear();
        QCOMPARE(io.read(QString()), QString());
        QCOMPARE(io.read(root() + "/missing"), QString());
        QCOMPARE(io.read(root()), QString());
        QCOMPARE(errors.count(), 0);
    }

    void unreadableFilesAndDirectories()
    {
        if (geteuid() == 0)
            QSKIP("permissions do not stop root");
        const QString path = root() + "/locked.txt";
        put(path, "secret");
        QFile::setPermissions(path, QFileDevice::Permissions());
        FileIO io;
        QSignalSpy errors(&io, &FileIO::error);
        io.setSource(path);
        QCOMPARE(io.read(), QString());
        QCOMPARE(errors.count(), 1);
        QCOMPARE(io.read(path), QString());
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

        const QString dir = root() + "/locked dir";
        put(dir + "/inside.txt", "x");
        QFile::setPermissions(dir, QFileDevice::Permissions());
        QCOMPARE(io.filesInDirectory(dir), QStringList());
        QCOMPARE(io.dirsInDirectory(dir), QStringList());
        QVERIFY(!io.removeDir(dir));
        QVERIFY(!io.write(dir + "/new.txt", "x"));
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(contents(dir + "/inside.txt"), QByteArray("x"));
    }

    void writeFailures()
    {
        FileIO io;
        QVERIFY(!io.write(QStringLiteral("x")));  // empty source
        QVERIFY(!io.write(QString(), QStringLiteral("x")));
        const QString file = root() + "/blocker";
        put(file, "a file, not a directory");
        QVERIFY(!io.write(file + "/child.txt", QStringLiteral("x")));
        QVERIFY(!io.write(root(), QStringLiteral("x")));  // a directory
        QCOMPARE(contents(file), QByteArray("a file, not a directory"));
    }

    void appendNeedsExistingDirectory()
    {
        FileIO io;
        QVERIFY(!io.append(QStringLiteral("x")));
        const QString missing = root() + "/append missing dir/f.txt";
        io.setSource(missing);
        QVERIFY(!io.append(QStringLiteral("x")));
        QVERIFY(!QFileInfo::exists(QFileInfo(missing).absolutePath()));

        const QString path = root() + "/append.txt";
        io.setSource(path);
        QVERIFY(io.append(QStringLiteral("one ")));
        QVERIFY(io.append(QStringLiteral("two")));
        QCOMPARE(contents(path), QByteArray("one two"));
    }

    void writeRaw()
    {
        FileIO io;
        QVERIFY(!io.write_raw("x"));
        io.setSource(root() + "/raw missing dir/r.bin");
        QVERIFY(!io.write_raw("x"));
        QVERIFY(!QFileInfo::exists(root() + "/raw missing dir"));

        const QString path = root() + "/raw ü.bin";
        io.setSource(path);
        const QByteArray bytes("a\0b\xff\r\n", 6);
        QVERIFY(io.write_raw(bytes + bytes));
        QVERIFY(io.write_raw(bytes));  // truncates
        QCOMPARE(contents(path), bytes);
        QCOMPARE(io.read_raw(), bytes);
    }

    void copyTo()
    {
        FileIO io;
        const QString target = root() + "/copy/new tree/ziel ü.txt";
        QVERIFY(!io.copyTo(target));  // empty source
        io.setSource(root() + "/copy/absent.txt");
        QVERIFY(!io.copyTo(target));
        QVERIFY(!QFileInfo::exists(root() + "/copy/new tree"));

        const QString source = root() + "/copy/quelle.txt";
        put(source, "source");
        io.setSource(source);
        QVERIFY(io.copyTo(target));
        QCOMPARE(contents(target), QByteArray("source"));
        QCOMPARE(contents(source), QByteArray("source"));

        put(target, "older");
        QVERIFY(!io.copyTo(target));  // never replaces
        QCOMPARE(contents(target), QByteArray("older"));

        const QString second = root() + "/copy2/x y/second.txt";
        QVERIFY(io.copyTo(source, second));
        QCOMPARE(contents(second), QByteArray("source"));
        QVERIFY(!io.copyTo(QString(), second));
        QVERIFY(!io.copyTo(root() + "/copy/absent.txt", root() + "/copy3/z.txt"));
    }

    void cutTo()
    {
        FileIO io;
        const QString dir = root() + "/cut";
        const QString source = dir + "/from file.txt";
        const QString target = dir + QStringLiteral("/深 层/to file.txt");
        put(source, "moving");
        io.setSource(source);
        QVERIFY(io.cutTo(target));
        QCOMPARE(contents(target), QByteArray("moving"));
        QVERIFY(!QFileInfo::exists(source));
        QCOMPARE(io.source(), source);

        // An existing destination is replaced.
        put(source, "newer");
        QVERIFY(io.cutTo(target));
        QCOMPARE(contents(target), QByteArray("newer"));
        QVERIFY(!QFileInfo::exists(source));
    }

    void cutToWithoutSourceKeepsDestination()
    {
        FileIO io;
        const QString target = root() + "/cutkeep/keep.txt";
        put(target, "precious");
        QVERIFY(!io.cutTo(target));  // empty source
        io.setSource(root() + "/cutkeep/gone.txt");
        QVERIFY(!io.cutTo(target));
        QCOMPARE(contents(target), QByteArray("precious"));
    }

    void cutToItselfKeepsTheFile()
    {
        FileIO io;
        const QString path = root() + "/cutself/only copy.txt";
        put(path, "only copy");
        io.setSource(path);
        QVERIFY(io.cutTo(path));
        QCOMPARE(contents(path), QByteArray("only copy"));
        QVERIFY(io.cutTo(root() + "/cutself/./only copy.txt"));
        QCOMPARE(contents(path), QByteArray("only copy"));
    }

    void existRemoveRename()
    {
        FileIO io;
        QVERIFY(!io.exist(QString()));
        QVERIFY(!io.exist());
        QVERIFY(io.exist(root()));

        const QString path = root() + QStringLiteral("/rm/файл.txt");
        put(path, "x");
        io.setSource(path);
        QVERIFY(io.exist(QString()));  // falls back to source
        QVERIFY(io.remove(QString()));
        QVERIFY(QFileInfo::exists(path));
        QVERIFY(io.remove(path));
        QVERIFY(!io.exist());
        QVERIFY(!io.remove(path));
        put(path, "x");
        QVERIFY(io.remove());
        QVERIFY(!QFileInfo::exists(path));

        FileIO other;
        QVERIFY(!other.rename(root() + "/rm/nothing"));
        put(path, "renamed");
        const QString renamed = root() + "/rm/neu name.txt";
        QVERIFY(io.rename(renamed));
        QCOMPARE(io.source(), path);
        QCOMPARE(contents(renamed), QByteArray("renamed"));
        QVERIFY(!io.rename(renamed));  // source is gone now
    }

    void listings()
    {
        FileIO io;
        const QString dir = root() + "/list dir";
        QVERIFY(io.mkdir(dir + "/sub"));
        put(dir + "/file.txt", "x");
        QCOMPARE(io.filesInDirectory(dir), QStringList({"file.txt", "sub"}));
        QCOMPARE(io.dirsInDirectory(dir), QStringList({"sub"}));

        const QString order = root() + "/order";
        put(order + "/b.txt", "");
        put(order + "/A.txt", "");
        put(order + "/c.txt", "");
        QCOMPARE(io.filesInDirectory(order), QStringList({"A.txt", "b.txt", "c.txt"}));
        QCOMPARE(io.dirsInDirectory(order), QStringList());

        QCOMPARE(io.filesInDirectory(root() + "/no such dir"), QStringList());
        QCOMPARE(io.filesInDirectory(QString()), QStringList());
        QCOMPARE(io.dirsInDirectory(QString()), QStringList());
        QVERIFY(!io.mkdir(QString()));
        QVERIFY(io.mkdir(root() + QStringLiteral("/a/b/ç d")));
        QVERIFY(QFileInfo(root() + QStringLiteral("/a/b/ç d")).isDir());
    }

    void removeDirDeletesTheWholeTree()
    {
        FileIO io;
        const QString tree = root() + QStringLiteral("/tree ü");
        put(tree + "/top.txt", "x");
        put(tree + "/.hidden", "x");
        put(tree + QStringLiteral("/sub dir/内/deep.txt"), "x");
        put(tree + "/sub dir/.config/f", "x");
        QVERIFY(io.mkdir(tree + "/empty"));
        QVERIFY(io.removeDir(tree));
        QVERIFY(!QFileInfo::exists(tree));
        QVERIFY(!io.removeDir(tree));
    }

    void removeDirLeavesLinkTargetsAlone()
    {
        FileIO io;
        const QString outside = root() + "/outside";
        put(outside + "/keep.txt", "keep");
        const QString tree = root() + "/linked tree";
        put(tree + "/own.txt", "x");
        QVERIFY(QFile::link(outside, tree + "/link"));
        QVERIFY(QFile::link(outside, root() + "/top link"));
        QVERIFY(io.removeDir(tree));
        QVERIFY(!QFileInfo::exists(tree));
        QVERIFY(io.removeDir(root() + "/top link"));
        QVERIFY(!QFileInfo(root() + "/top link").isSymLink());
        QCOMPARE(contents(outside + "/keep.txt"), QByteArray("keep"));
    }

    void removeDirWithEmptyPathDeletesNothing()
    {
        const QString previous = QDir::currentPath();
        const QString cwd = root() + "/cwd";
        put(cwd + "/keep.txt", "keep");
        QVERIFY(QDir::setCurrent(cwd));
        FileIO io;
        QVERIFY(!io.removeDir(QString()));
        QDir::setCurrent(previous);
        QCOMPARE(contents(cwd + "/keep.txt"), QByteArray("keep"));
    }

    void homeSourceAndConstants()
    {
        FileIO io;
        io.setHomeSource("a.txt");
        QVERIFY(io.source().endsWith("/mesk+/a.txt"));
        QVERIFY(io.source().startsWith(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
        QVERIFY(io.copyDirto(root()));
        QVERIFY(io.copyDirto(QString()));
        QCOMPARE(io.applicationDirPath(), QCoreApplication::applicationDirPath());
    }
};

QTEST_MAIN(Tst_FileIO)
#include "tst_fileio.moc"
