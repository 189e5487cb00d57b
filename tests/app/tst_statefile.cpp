#include <QtTest>

#include <QColor>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>
#include <sys/stat.h>

#include "../unwritabledir.h"
#include "statefile.h"

// The envelope of the UI's state files: what is written, what is refused
// with which message, and that nothing the user had is lost on the way.
class Tst_StateFile : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    StateFile state_;

    QString path(const QString &name) const { return dir_.path() + "/" + name; }
    static void put(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), qint64(bytes.size()));
    }
    static QByteArray get(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static ino_t inode(const QString &path)
    {
        struct stat st{};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
    }

private slots:
    void written_state_reads_back()
    {
        const QVariantMap ctx{{".", QVariantMap{{"size", 20000}, {"name", QString::fromUtf8("温度 ,\"\n")}}},
                              {"list", QVariantList{1, true, "x", QVariantMap{{"down", false}}}},
                              {"color", QColor("#123456")},
                              {"translucent", QColor(1, 2, 3, 4)},
                              {"nan", std::nan("")}};
        const QString file = path("a.json");
        QCOMPARE(state_.write(file, "config", ctx), QString());
        const QJsonObject root = QJsonDocument::fromJson(get(file)).object();
        QCOMPARE(root.keys(), (QStringList{"ctx", "type", "vnumber"}));
        QCOMPARE(root.value("vnumber").toInt(), 100);
        QCOMPARE(root.value("type").toString(), QStringLiteral("config"));

        const QVariantMap answer = state_.read(file, "config");
        QCOMPARE(answer.value("status").toString(), QStringLiteral("ok"));
        const QVariantMap back = answer.value("ctx").toMap();
        QCOMPARE(back.value(".").toMap().value("size").toInt(), 20000);
        QCOMPARE(back.value(".").toMap().value("name").toString(), QString::fromUtf8("温度 ,\"\n"));
        QCOMPARE(back.value("list").toList().size(), 4);
        QCOMPARE(back.value("color").toString(), QStringLiteral("#123456"));
        QCOMPARE(back.value("translucent").toString(), QStringLiteral("#04010203"));
        QVERIFY(back.value("nan").isNull());
        QVERIFY(!QFile::exists(file + ".bad"));
    }

    void one_of_several_types_is_accepted_and_named()
    {
        const QString file = path("window.json");
        QCOMPARE(state_.write(file, "tabview", QVariantMap{{"tabs", QVariantList{}}}), QString());
        const QVariantMap answer = state_.read(file, "tab tabview tabviews");
        QCOMPARE(answer.value("status").toString(), QStringLiteral("ok"));
        QCOMPARE(answer.value("type").toString(), QStringLiteral("tabview"));
        QVERIFY(answer.value("ctx").toMap().contains("tabs"));
    }

    void a_missing_or_empty_file_has_nothing_to_restore()
    {
        QCOMPARE(state_.read(path("none.json"), "config").value("status").toString(), QStringLiteral("missing"));
        put(path("empty.json"), "");
        QCOMPARE(state_.read(path("empty.json"), "config").value("status").toString(), QStringLiteral("missing"));
        put(path("blank.json"), " \n\t ");
        QCOMPARE(state_.read(path("blank.json"), "config").value("status").toString(), QStringLiteral("missing"));
    }

    void refused_files_say_why_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("message");
        QTest::newRow("too old") << QByteArray(R"({"type": "cmds", "vnumber": 2, "ctx": []})") << "cmds"
                                 << "脚本版本太旧，无法加载。\n\n%1\n\n要求版本: 3~100, 此脚本版本: 2";
        QTest::newRow("too new") << QByteArray(R"({"type": "cmds", "vnumber": 101, "ctx": []})") << "cmds"
                                 << "脚本版本太新，无法加载。\n\n%1\n\n要求版本: 3~100, 此脚本版本: 101";
        QTest::newRow("other type") << QByteArray(R"({"type": "tabview", "vnumber": 100, "ctx": []})") << "cmds"
                                    << "脚本类型不对，无法加载。\n\n%1\n\n要求类型: cmds, 当前类型: tabview";
        QTest::newRow("none of several types")
            << QByteArray(R"({"type": "cmds", "vnumber": 100, "ctx": []})") << "tab tabview tabviews"
            << "脚本类型不对，无法加载。\n\n%1\n\n要求类型: tab tabview tabviews, 当前类型: cmds";
        QTest::newRow("a type that is part of an accepted one")
            << QByteArray(R"({"type": "tabv", "vnumber": 100, "ctx": []})") << "tab tabview"
            << "脚本类型不对，无法加载。\n\n%1\n\n要求类型: tab tabview, 当前类型: tabv";
        QTest::newRow("not JSON") << QByteArray("{\"type\": ") << "config" << "文件不是有效的JSON，无法加载。";
        QTest::newRow("array") << QByteArray("[]") << "config" << "文件不是配置文件，无法加载。";
        QTest::newRow("no ctx") << QByteArray(R"({"type": "config", "vnumber": 100})") << "config"
                                << "文件不是配置文件，无法加载。";
        QTest::newRow("vnumber as text") << QByteArray(R"({"type": "config", "vnumber": "100", "ctx": {}})")
                                         << "config" << "文件不是配置文件，无法加载。";
        QTest::newRow("type as number") << QByteArray(R"({"type": 1, "vnumber": 100, "ctx": {}})") << "config"
                                        << "文件不是配置文件，无法加载。";
        QTest::newRow("10000 levels") << QByteArray(R"({"type": "config", "vnumber": 100, "ctx": )")
                                                 + QByteArray(10000, '[') + QByteArray(10000, ']') + "}"
                                          << "config" << "文件不是有效的JSON，无法加载。";
    }
    void refused_files_say_why()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, type);
        QFETCH(QString, message);
        const QString file = path("refused.json");
        put(file, content);
        const QVariantMap answer = state_.read(file, type, true);
        QCOMPARE(answer.value("status").toString(), QStringLiteral("refused"));
        QVERIFY(!answer.contains("ctx"));
        const QString text = answer.value("message").toString();
        if (message.contains("%1"))
            QCOMPARE(text, message.arg(file));
        else
            QVERIFY2(text.startsWith(message + "\n\n" + file), qPrintable(text));
        // The refused file is kept whole beside, and left where it was.
        QCOMPARE(get(file + ".bad"), content);
        QCOMPARE(get(file), content);
    }

    void the_kept_copy_is_replaced_by_the_next_refused_file()
    {
        const QString file = path("twice.json");
        put(file, "first");
        state_.read(file, "config", true);
        put(file, "second, longer");
        state_.read(file, "config", true);
        QCOMPARE(get(file + ".bad"), QByteArray("second, longer"));
        // Without asking for it nothing is kept.
        put(path("quiet.json"), "x");
        state_.read(path("quiet.json"), "config");
        QVERIFY(!QFile::exists(path("quiet.json.bad")));
    }

    void a_huge_file_is_refused_unread()
    {
        const QString file = path("huge.json");
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(100LL * 1024 * 1024));
        }
        QElapsedTimer clock;
        clock.start();
        const QVariantMap answer = state_.read(file, "config");
        QCOMPARE(answer.value("status").toString(), QStringLiteral("refused"));
        QVERIFY(answer.value("message").toString().startsWith(QString::fromUtf8("文件太大，无法加载。")));
        qInfo("refused a 100 MB file in %lld ms", clock.elapsed());
    }

    void a_write_replaces_the_file_whole_or_not_at_all()
    {
        const QString file = path("replace.json");
        QCOMPARE(state_.write(file, "cmds", QVariantList{1}), QString());
        const ino_t first = inode(file);
        QCOMPARE(state_.write(file, "cmds", QVariantList{1, 2}), QString());
        // A new file renamed over the old one, never the old one truncated.
        QVERIFY(inode(file) != first);
        const QByteArray written = get(file);

        UnwritableDir unwritable(dir_.path());
        if (!unwritable.ok())
            QSKIP("the directory cannot be made unwritable here");
        QVERIFY(!state_.write(file, "cmds", QVariantList{3}).isEmpty());
        QCOMPARE(get(file), written);
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files).filter("replace.json").size(), 1);
    }

    void a_directory_that_cannot_be_made_is_reported()
    {
        put(path("plain"), "a file where a directory should be");
        QVERIFY(!state_.write(path("plain/sub/x.json"), "config", QVariantMap()).isEmpty());
        QCOMPARE(get(path("plain")), QByteArray("a file where a directory should be"));
    }
};

QTEST_GUILESS_MAIN(Tst_StateFile)
#include "tst_statefile.moc"
