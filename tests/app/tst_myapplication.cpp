#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include "../unwritabledir.h"
#include "myapplication.h"
#include "mytools.h"
#include "runpath.h"

// Paths, configuration files with migration of older version directories,
// directory copies and the text/hex conversions.
class Tst_MyApplication : public QObject
{
    Q_OBJECT
    QString root_;

    static void write(const QString &path, const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        root_ = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        QVERIFY(root_.contains("qttest") || root_.contains(".qttest"));
    }
    void init() { QDir(root_).removeRecursively(); }
    void cleanupTestCase() { QDir(root_).removeRecursively(); }

    void constants()
    {
        MyApplication app;
#if defined(Q_OS_LINUX)
        QCOMPARE(app.platform(), QString("linux"));
#endif
        QCOMPARE(app.qtVersionStr(), QString::fromLatin1(qVersion()));
        QCOMPARE(app.version(), QString("1.3.10"));
        QCOMPARE(app.vnumber(), 100);
        QCOMPARE(app.minimum_vnumber(), 3);
        QCOMPARE(app.newLineSymbol(), QString("\n[\\n]"));
        QVERIFY(QRegularExpression(app.newLineSymbolReg()).match("x\n[\\n]y").hasMatch());
        QCOMPARE(app.newLineSymbolReg().size(), 8);
    }

    void paths()
    {
        MyApplication app;
        const QString run = RunPath::get();
        QCOMPARE(app.run_path(), QCoreApplication::applicationDirPath());
        QCOMPARE(app.plugin_path(), run + "/plugins");
        QCOMPARE(app.widgets_path(), run + "/plugins/widgets");
        QCOMPARE(app.dataengines_path(), run + "/plugins/dataengines");
        QCOMPARE(app.themes_path(), run + "/plugins/themes");
        QCOMPARE(app.config_dir_path(), root_);
        QCOMPARE(app.data_dir_path(), root_);
        QCOMPARE(app.context_dir_path(), root_ + "/context");
        QVERIFY(app.temp_dir_path().endsWith("/qelo+"));
        QVERIFY(!QDir(root_).exists()); // asking creates nothing
    }

    void configFilePaths()
    {
        MyApplication app;
        QCOMPARE(app.get_config_file("a", "", false), root_ + "/100/a");
        QVERIFY(!QDir(root_ + "/100/a").exists());
        QCOMPARE(app.get_config_file(), root_ + "/100");
        QVERIFY(QDir(root_ + "/100").exists());
        QCOMPARE(app.get_config_file("x/y", "f.json"), root_ + "/100/x/y/f.json");
        QVERIFY(QDir(root_ + "/100/x/y").exists());
        QCOMPARE(app.get_config_file("..", "samples"), root_ + "/samples");
    }

    void writeReadRemove()
    {
        MyApplication app;
        QCOMPARE(app.read_config("a", "f"), QString()); // creates AppConfig
        QVERIFY(QDir(root_).exists());
        app.write_config("a b/ü", "näme.txt", QString::fromUtf8("wert 中文\n"));
        QCOMPARE(app.read_config("a b/ü", "näme.txt"), QString::fromUtf8("wert 中文\n"));
        app.write_config("a b/ü", "näme.txt", "short");
        QCOMPARE(app.read_config("a b/ü", "näme.txt"), QString("short"));
        app.write_config("..", "language", "English");
        QCOMPARE(app.read_config("..", "language"), QString("English"));
        QVERIFY(app.remove_config("a b/ü", "näme.txt"));
        QVERIFY(!app.remove_config("a b/ü", "näme.txt"));
        QCOMPARE(app.read_config("a b/ü", "näme.txt"), QString());
        QCOMPARE(app.read_config("missing", "x"), QString());
    }

    void aFailedWriteKeepsTheOldFile()
    {
        MyApplication app;
        QVERIFY(app.write_config("keep", "f.json", "old and whole"));
        UnwritableDir unwritable(root_ + "/100/keep");
        if (!unwritable.ok())
            QSKIP("the directory cannot be made unwritable here");
        QVERIFY(!app.write_config("keep", "f.json", "new"));
        QCOMPARE(app.read_config("keep", "f.json"), QString("old and whole"));
    }

    void unmakeableConfigurationDirectory()
    {
        // A plain file where the configuration directory should be.
        QDir().mkpath(QFileInfo(root_).absolutePath());
        write(root_, "not a directory");
        MyApplication app;
        QCOMPARE(app.read_config("a", "f"), QString());
        app.write_config("a", "f", "lost");
        QCOMPARE(app.read_config("a", "f"), QString());
        QVERIFY(!app.remove_config("a", "f"));
        QFile::remove(root_);
    }

    void migratesNewestOlderVersion()
    {
        write(root_ + "/5/ctx/state.json", "five");
        write(root_ + "/5/top.txt", "top");
        MyApplication app;
        QCOMPARE(app.read_config("ctx", "state.json"), QString("five"));
        QCOMPARE(app.read_config("", "top.txt"), QString("top"));
        QVERIFY(QFile::exists(root_ + "/5/top.txt"));
    }

    void migrationPicksByTextOrder()
    {
        // Examined from the last name in text order: "9" before "10".
        write(root_ + "/9/f", "nine");
        write(root_ + "/10/f", "ten");
        MyApplication app;
        QCOMPARE(app.read_config("", "f"), QString("nine"));
    }

    void migrationSkipsOutOfRangeAndNonNumbers()
    {
        write(root_ + "/2/f", "two");
        write(root_ + "/zz/f", "letters");
        write(root_ + "/150/f", "future");
        QDir().mkpath(root_ + "/100");
        MyApplication app;
        QCOMPARE(app.read_config("", "f"), QString());
        QVERIFY(QDir(root_ + "/100").exists());
        QCOMPARE(QDir(root_ + "/100").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 0);
    }

    void noMigrationOverExistingConfiguration()
    {
        write(root_ + "/5/f", "old");
        write(root_ + "/100/f", "new");
        MyApplication app;
        QCOMPARE(app.read_config("", "f"), QString("new"));
    }

    void copyDirectory()
    {
        QTemporaryDir tmp;
        const QString from = tmp.path() + "/from dir";
        write(from + "/a.txt", "A");
        write(from + "/sub/ß.txt", "B");
        write(tmp.path() + "/to/a.txt", "old");
        MyApplication app;
        QVERIFY(app.copyDirectory(from, tmp.path() + "/to", false));
        QFile a(tmp.path() + "/to/a.txt");
        QVERIFY(a.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), QByteArray("old"));
        a.close();
        QVERIFY(QFile::exists(tmp.path() + "/to/sub/ß.txt"));
        QVERIFY(app.copyDirectory(from, tmp.path() + "/to", true));
        QVERIFY(a.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), QByteArray("A"));
        // A target under a missing parent cannot be made one level deep.
        QVERIFY(!app.copyDirectory(from, tmp.path() + "/no/such/parent"));
    }

    void hexConversions()
    {
        MyApplication app;
        QCOMPARE(app.hexToString("41 42 0a", "UTF-8"), QString("AB\n[\\n]"));
        QCOMPARE(app.hexToString("   \t ", "UTF-8"), QString());
        QCOMPARE(app.hexToString("%%", "UTF-8"), QString("%%"));
        QCOMPARE(app.hexToString("0d", "UTF-8"), QString("\\r"));
        QCOMPARE(app.hexToString("zz 41 q", "UTF-8"), QString("A"));
        QCOMPARE(app.hexToString("D6 D0", "GBK"), QString::fromUtf8("中"));
        QCOMPARE(app.stringToHex("%%", "UTF-8"), QString("%%"));
        QCOMPARE(app.stringToHex("%", "UTF-8"), QString("25"));
        QCOMPARE(app.stringToHex("a\\tb", "UTF-8"), QString("61 09 62"));
        QCOMPARE(app.stringToHex("AB\\r\\n", "UTF-8"), QString("41 42 0D 0A"));
        QCOMPARE(app.stringToHex(QString::fromUtf8("中"), "GBK"), QString("D6 D0"));
        QCOMPARE(app.stringToHex("", "UTF-8"), QString());
        // Round trip through the new-line symbol.
        const QString text = app.hexToString(app.stringToHex("x\\ny%%", "UTF-8"), "UTF-8");
        QCOMPARE(text, QString("x\n[\\n]y%%"));
        QCOMPARE(app.stringToHex(text, "UTF-8"), QString("78 0A 79 %%"));
        // Unknown codec names fall back to UTF-8 instead of failing.
        QCOMPARE(app.stringToHex("A", "no-such-codec"), QString("41"));
        QCOMPARE(app.hexToString("41", "no-such-codec"), QString("A"));
    }

    void floatToHex()
    {
        MyTools tools;
        QCOMPARE(tools.float_to_hex(1.0), QString("00 00 80 3f"));
        QCOMPARE(tools.float_to_hex(-2.5), QString("00 00 20 c0"));
        QCOMPARE(tools.float_to_hex(0.0), QString("00 00 00 00"));
        QCOMPARE(tools.math_trunc(-7), -7);
    }

    void propertySignals()
    {
        MyApplication app;
        QSignalSpy init(&app, SIGNAL(initialized_changed()));
        QSignalSpy valid(&app, SIGNAL(cursor_shape_valid_changed()));
        QSignalSpy mono(&app, SIGNAL(mono_font_changed()));
        app.set_initialized(true);
        app.set_initialized(true);
        QCOMPARE(init.count(), 2);
        app.set_cursor_shape_valid(false);
        QCOMPARE(valid.count(), 0);
        app.set_cursor_shape_valid(true);
        QCOMPARE(valid.count(), 1);
        app.set_mono_font(app.mono_font());
        QCOMPARE(mono.count(), 1);
        QVERIFY(!app.general_font().isEmpty());
    }

    void screensAndLookups()
    {
        MyApplication app;
        QCOMPARE(app.screens().size(), QGuiApplication::screens().size());
        QCOMPARE(app.getScreen(QPoint(-100000, -100000)), nullptr);
    }
};

QTEST_MAIN(Tst_MyApplication)
#include "tst_myapplication.moc"
