#include <QtTest>

#include <QElapsedTimer>
#include <QJSValue>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include "mainscene.h"
#include "outbuffer.h"
#include "qmlfiledialog.h"
#include "runpath.h"
#include "typeregistry.h"

// The command panel in the real window: a tree built with the mouse and
// keys, run over a TCP client link against a peer on 127.0.0.1 whose
// received bytes and their arrival times are checked; stopping, the
// question when a sequence already runs, deleting, clearing, reordering by
// dragging, files and a restart.
class Tst_CommandPanel : public QObject, public MainScene
{
    Q_OBJECT

    QTemporaryDir home_;
    QTcpServer server_;
    QTcpSocket *peer_ = nullptr;
    QByteArray received_;
    // Arrival time (ms since the run started) of each received chunk.
    QList<QPair<qint64, QByteArray>> chunks_;
    QElapsedTimer clock_;

    QObject *panel() { return object("commandPanel"); }
    QJsonArray tree()
    {
        const QVariant v = panel()->property("tree");
        return QJsonValue::fromVariant(v.userType() == qMetaTypeId<QJSValue>() ? v.value<QJSValue>().toVariant() : v)
            .toArray();
    }
    QQuickItem *row(const QString &path) { return item("cmdRow_" + path); }
    bool click_in(QQuickItem *parent, const QString &name)
    {
        QQuickItem *child = parent ? parent->findChild<QQuickItem *>(name) : nullptr;
        if (!child)
            return false;
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre(child));
        return true;
    }
    void select(const QString &path)
    {
        QQuickItem *r = row(path);
        QVERIFY2(r, qPrintable("no row " + path));
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, r->mapToScene(QPointF(30, 8)).toPoint());
    }
    void menu_pick(const QString &button, const QString &entry)
    {
        QVERIFY(click(button));
        QTRY_VERIFY(item(entry));
        QVERIFY(click(entry));
        QTRY_VERIFY(!item(entry));
        QTest::qWait(300);
    }
    // Fills the settings of the selected command.
    void edit(const QString &name, const QString &content, bool hex, int count, int ms)
    {
        QVERIFY(type_into("cmdNameInput", name));
        QVERIFY(choose("cmdHexCombo", hex ? 1 : 0));
        QQuickItem *text = item("cmdContentInput");
        QVERIFY(text);
        text->setProperty("text", content);
        QMetaObject::invokeMethod(text, "editingFinished");
        QVERIFY(type_into(item("cmdLoopCount")->property("spin").value<QQuickItem *>(), QString::number(count)));
        QVERIFY(type_into(item("cmdLoopMs")->property("spin").value<QQuickItem *>(), QString::number(ms)));
    }
    // A new command beside the selected one, at `path`, then its settings.
    void add_command(const QString &path, const QString &name, const QString &content, bool hex, int count, int ms)
    {
        menu_pick("cmdAdd", "cmdAddCommand");
        QTRY_VERIFY(row(path));
        edit(name, content, hex, count, ms);
    }
    QString row_text(const QString &path, const QString &child)
    {
        return row(path)->findChild<QQuickItem *>(child)->property("text").toString();
    }
    void accept_alert(const QString &expected_start)
    {
        QTRY_VERIFY(item("alertOk"));
        QVERIFY2(alert_text().startsWith(expected_start), qPrintable(alert_text()));
        QVERIFY(click("alertOk"));
        QTRY_VERIFY(!item("alertOk"));
    }
    void reset_peer()
    {
        received_.clear();
        chunks_.clear();
        clock_.restart();
    }
    bool repeating() { return hub_->out_buffer()->repeating(); }
    void wait_idle() { QTRY_VERIFY_WITH_TIMEOUT(!repeating(), 10000); }

private slots:
    void initTestCase()
    {
        QVERIFY(home_.isValid());
        use_home(home_.path());
        answer_file_dialogs();
        QVERIFY(server_.listen(QHostAddress::LocalHost));
        connect(&server_, &QTcpServer::newConnection, this, [this]() {
            peer_ = server_.nextPendingConnection();
            connect(peer_, &QTcpSocket::readyRead, this, [this]() {
                const QByteArray bytes = peer_->readAll();
                received_ += bytes;
                chunks_.append({clock_.elapsed(), bytes});
            });
        });
        QVERIFY(load_scene());
        // A TCP client link to the peer, opened with the page's button.
        QVERIFY(choose("linkTypeCombo", 2));
        pal()->setProperty("client_server_port", server_.serverPort());
        pal()->setProperty("client_banner", "");
        open_link();
        QTRY_VERIFY(peer_);
        QVERIFY(click("functionPage1"));
        QTRY_VERIFY(item("cmdList"));
    }

    void cleanupTestCase()
    {
        unload_scene();
        QMLFileDialog::set_chooser({});
    }

    void an_empty_tree_says_so()
    {
        QCOMPARE(tree().size(), 0);
        QQuickItem *list = item("cmdList");
        QVERIFY(list);
        shot("commands-empty");
    }

    void a_group_of_three_runs_in_order_and_paced()
    {
        menu_pick("cmdAdd", "cmdAddGroup");
        QTRY_VERIFY(row("0"));
        QVERIFY(type_into("cmdNameInput", "sequence"));
        add_command("0_0", "hello", "a\\r\\n", false, 2, 150);
        // A comment shows under the name once switched on.
        QVERIFY(type_into("cmdIntroInput", "greets"));
        QVERIFY(!row("0_0")->findChild<QQuickItem *>("cmdIntro")->isVisible());
        QVERIFY(click("cmdIntroOn"));
        QTRY_VERIFY(row("0_0")->findChild<QQuickItem *>("cmdIntro")->isVisible());
        QCOMPARE(row_text("0_0", "cmdIntro"), QStringLiteral("greets"));
        add_command("0_1", "bytes", "01 02 FF", true, 1, 300);
        add_command("0_2", "zed", "z", false, 3, 100);
        const QJsonArray t = tree();
        QCOMPARE(t.size(), 1);
        const QJsonArray commands = t.at(0).toObject().value("subCmds").toArray();
        QCOMPARE(commands.size(), 3);
        QCOMPARE(commands.at(0).toObject().value("cmd_hex").toString(), QStringLiteral("61 0D 0A"));
        QCOMPARE(commands.at(1).toObject().value("cmd_hex").toString(), QStringLiteral("01 02 FF"));
        QCOMPARE(commands.at(2).toObject().value("loop_count").toInt(), 3);
        QCOMPARE(row_text("0_0", "cmdName"), QStringLiteral("hello"));

        reset_peer();
        QVERIFY(click_in(row("0"), "cmdRun"));
        QTRY_VERIFY(repeating());
        // The running path is highlighted and counted while it runs.
        QTRY_VERIFY(row_text("0_2", "cmdCount").startsWith("1/3"));
        QVERIFY(row("0_2")->property("current").toBool());
        QVERIFY(row("0")->property("current").toBool());
        QVERIFY(!row("0_0")->property("current").toBool());
        shot("commands-running");
        wait_idle();
        QTRY_COMPARE(received_, QByteArray("a\r\na\r\n\x01\x02\xff" "zzz"));

        // Each command waits its own delay before the next step.
        QList<qint64> at;
        for (const auto &c : chunks_)
            for (int i = 0; i < c.second.size(); ++i)
                at.append(c.first);
        QCOMPARE(at.size(), 12);
        const qint64 after_hello = at.at(3) - at.at(0);   // second "a\r\n" after 150 ms
        const qint64 after_bytes = at.at(9) - at.at(6);   // "z" after 300 ms
        const qint64 after_z = at.at(10) - at.at(9);      // next "z" after 100 ms
        qInfo("gaps: %lld ms (150), %lld ms (300), %lld ms (100)", after_hello, after_bytes, after_z);
        // Never much shorter than asked; a loaded machine may make them longer.
        QVERIFY(after_hello >= 100 && after_hello <= 1500);
        QVERIFY(after_bytes >= 250 && after_bytes <= 1500);
        QVERIFY(after_z >= 60 && after_z <= 1500);
        QVERIFY(after_bytes > after_z);
        // The row shows the count again once the sequence has ended.
        QTRY_COMPARE(row_text("0_2", "cmdCount"), QStringLiteral("\u00d73"));
    }

    void placeholders_take_the_sample_argument()
    {
        add_command("0_3", "value", "V=%.2f\\r\\n", false, 1, 0);
        add_command("0_4", "raw", "AA %%", true, 1, 0);
        QVERIFY(type_into("cmdSampleArgument", "2.5"));
        reset_peer();
        QVERIFY(click_in(row("0_3"), "cmdRun"));
        wait_idle();
        QVERIFY(click_in(row("0_4"), "cmdRun"));
        wait_idle();
        QTRY_COMPARE(received_, QByteArray("V=2.50\r\n\xaa\x00\x00\x20\x40", 13));
    }

    void stopping_and_a_second_start()
    {
        select("0_2");
        QVERIFY(type_into(item("cmdLoopCount")->property("spin").value<QQuickItem *>(), "-1"));
        QTRY_COMPARE(tree().at(0).toObject().value("subCmds").toArray().at(2).toObject().value("loop_count").toInt(),
                     -1);
        QTRY_VERIFY(row_text("0_2", "cmdCount").endsWith("\u221e"));
        reset_peer();
        QVERIFY(click_in(row("0_2"), "cmdRun"));
        QTRY_VERIFY(received_.size() >= 3);

        // A second start asks; waiting keeps the sequence running.
        QVERIFY(click_in(row("0_1"), "cmdRun"));
        QTRY_VERIFY(item("alertOk"));
        QCOMPARE(alert_text(), QStringLiteral("发送进行中"));
        QCOMPARE(item("alertOk")->property("text").toString(), QStringLiteral("继续等待"));
        QCOMPARE(item("alertCancel")->property("text").toString(), QStringLiteral("手动终止"));
        shot("commands-ask");
        QVERIFY(click("alertOk"));
        const int before = received_.size();
        QTRY_VERIFY(received_.size() > before + 2);
        QVERIFY(repeating());
        QVERIFY(!received_.contains('\x01'));

        // Stopping by hand ends it within a tick.
        QVERIFY(click_in(row("0_1"), "cmdRun"));
        QTRY_VERIFY(item("alertCancel"));
        QVERIFY(click("alertCancel"));
        QTRY_VERIFY(!repeating());
        QTest::qWait(300);
        const int stopped_at = received_.size();
        QTest::qWait(400);
        QCOMPARE(received_.size(), stopped_at);

        // And the stop button does the same.
        QVERIFY(click_in(row("0_2"), "cmdRun"));
        QTRY_VERIFY(item("cmdStop"));
        QVERIFY(click("cmdStop"));
        QTRY_VERIFY(!repeating());
        select("0_2");
        QVERIFY(type_into(item("cmdLoopCount")->property("spin").value<QQuickItem *>(), "1"));
    }

    void dragging_changes_the_order_sent()
    {
        // "zed" dropped on the upper half of "hello" goes before it.
        QQuickItem *from = row("0_2");
        QQuickItem *to = row("0_0");
        QVERIFY(from && to);
        drag(from->mapToScene(QPointF(40, from->height() / 2)).toPoint(), to->mapToScene(QPointF(40, 3)).toPoint());
        QTRY_COMPARE(tree().at(0).toObject().value("subCmds").toArray().at(0).toObject().value("name").toString(),
                     QStringLiteral("zed"));
        QCOMPARE(tree().at(0).toObject().value("subCmds").toArray().at(1).toObject().value("name").toString(),
                 QStringLiteral("hello"));
        // Keys move the selected command back down.
        QTest::keyClick(window_, Qt::Key_Down, Qt::ControlModifier);
        QTRY_COMPARE(tree().at(0).toObject().value("subCmds").toArray().at(1).toObject().value("name").toString(),
                     QStringLiteral("zed"));
        QTest::keyClick(window_, Qt::Key_Up, Qt::ControlModifier);
        QTRY_COMPARE(tree().at(0).toObject().value("subCmds").toArray().at(0).toObject().value("name").toString(),
                     QStringLiteral("zed"));
        reset_peer();
        QVERIFY(click_in(row("0"), "cmdRun"));
        wait_idle();
        QTRY_VERIFY(received_.startsWith("za\r\na\r\n\x01\x02\xff" "V=2.50\r\n\xaa"));

        // Out of the group to the top, before it; then back into its end.
        QQuickItem *raw = row("0_4");
        QQuickItem *group = row("0");
        drag(raw->mapToScene(QPointF(40, raw->height() / 2)).toPoint(), group->mapToScene(QPointF(40, 3)).toPoint());
        QTRY_COMPARE(tree().size(), 2);
        QCOMPARE(tree().at(0).toObject().value("name").toString(), QStringLiteral("raw"));
        raw = row("0");
        group = row("1");
        drag(raw->mapToScene(QPointF(40, raw->height() / 2)).toPoint(),
             group->mapToScene(QPointF(40, group->height() - 3)).toPoint());
        QTRY_COMPARE(tree().size(), 1);
        QCOMPARE(tree().at(0).toObject().value("subCmds").toArray().at(4).toObject().value("name").toString(),
                 QStringLiteral("raw"));
    }

    void files_round_trip_and_refuse_what_is_not_theirs()
    {
        const QJsonArray saved = tree();
        next_path_ = home_.path() + "/mine";
        QVERIFY(click("cmdSave"));
        QTRY_VERIFY(QFile::exists(home_.path() + "/mine.cmds.json"));

        // Clearing with nothing selected empties the tree, after asking.
        panel()->setProperty("selected", QVariantList());
        QVERIFY(click("cmdClear"));
        accept_alert("所有命令和命令组会被清除，不可恢复，");
        QTRY_COMPARE(tree().size(), 0);

        next_path_ = home_.path() + "/mine.cmds.json";
        menu_pick("cmdLoad", "cmdLoadAppend");
        QTRY_COMPARE(tree(), saved);
        menu_pick("cmdLoad", "cmdLoadAsGroup");
        QTRY_COMPARE(tree().size(), 2);
        QCOMPARE(tree().at(1).toObject().value("name").toString(), QStringLiteral("mine"));
        QCOMPARE(tree().at(1).toObject().value("subCmds").toArray(), saved);

        const auto refused = [this](const QByteArray &content, const QString &start) {
            const QString path = home_.path() + "/bad.cmds.json";
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(content);
            f.close();
            next_path_ = path;
            const QJsonArray before = tree();
            menu_pick("cmdLoad", "cmdLoadAppend");
            accept_alert(start);
            QCOMPARE(tree(), before);
        };
        refused(R"({"type": "cmds", "vnumber": 2, "ctx": []})", "脚本版本太旧，无法加载。");
        refused(R"({"type": "cmds", "vnumber": 101, "ctx": []})", "脚本版本太新，无法加载。");
        refused(R"({"type": "tabview", "vnumber": 100, "ctx": []})", "脚本类型不对，无法加载。");

        // The file menu saves the whole tree and loads one in its place.
        const QJsonArray whole = tree();
        QVERIFY(click("menuButton"));
        QTRY_VERIFY(item("saveCmdsItem", false));
        next_path_ = home_.path() + "/menu";
        QMetaObject::invokeMethod(item("saveCmdsItem", false), "triggered");
        QTRY_VERIFY(QFile::exists(home_.path() + "/menu.cmds.json"));
        QMetaObject::invokeMethod(window_->findChild<QObject *>("mainMenu"), "close");
        panel()->setProperty("selected", QVariantList());
        QVERIFY(click("cmdClear"));
        accept_alert("所有命令和命令组会被清除");
        menu_pick("cmdAdd", "cmdAddCommand");
        QTRY_COMPARE(tree().size(), 1);
        next_path_ = home_.path() + "/menu.cmds.json";
        QMetaObject::invokeMethod(item("loadCmdsItem", false), "triggered");
        accept_alert("所有命令和命令组会被清除，不可恢复，");
        QTRY_COMPARE(tree(), whole);
    }

    void a_hostile_file_loads_what_is_sound()
    {
        // 64 levels, and 10000 commands with members of every wrong type.
        QJsonObject deep{{"name", "leaf"}, {"cmd_hex", "00"}};
        for (int i = 0; i < 64; ++i)
            deep = QJsonObject{{"name", QString("level %1").arg(63 - i)}, {"is_group", true},
                               {"subCmds", QJsonArray{deep}}};
        QJsonArray many;
        for (int i = 0; i < 10000; ++i)
            many.append(i % 3 == 0 ? QJsonValue(QJsonObject{{"name", i}, {"loop_count", "x"}, {"is_group", "no"},
                                                            {"subCmds", 5}, {"unknown", true}})
                                   : i % 3 == 1 ? QJsonValue(QJsonObject{{"name", QString::number(i)}})
                                                : QJsonValue(i));
        QJsonArray ctx{deep};
        for (const QJsonValue &v : many)
            ctx.append(v);
        const QString path = home_.path() + "/hostile.cmds.json";
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QJsonDocument(QJsonObject{{"type", "cmds"}, {"vnumber", 100}, {"ctx", ctx}}).toJson());
        f.close();

        panel()->setProperty("selected", QVariantList());
        QVERIFY(click("cmdClear"));
        accept_alert("所有命令和命令组会被清除");
        QTRY_COMPARE(tree().size(), 0);
        next_path_ = path;
        QElapsedTimer clock;
        clock.start();
        menu_pick("cmdLoad", "cmdLoadAppend");
        QTRY_VERIFY(item("alertOk"));
        qInfo("hostile file loaded in %lld ms", clock.elapsed());
        QVERIFY2(alert_text().startsWith("部分命令无法载入，已忽略: "), qPrintable(alert_text()));
        QVERIFY(click("alertOk"));
        // The deep group down to the depth limit, and commands up to the
        // node limit; numbers instead of objects are left out.
        const QJsonArray t = tree();
        QVERIFY(t.size() > 1000);
        QJsonObject node = t.at(0).toObject();
        int depth = 1;
        while (!node.value("subCmds").toArray().isEmpty()) {
            node = node.value("subCmds").toArray().at(0).toObject();
            ++depth;
        }
        QCOMPARE(depth, 32);
        QCOMPARE(t.at(1).toObject().value("name").toString(), QString());
        QCOMPARE(t.at(1).toObject().value("loop_count").toInt(), 1);
        QCOMPARE(t.at(1).toObject().value("is_group").toBool(), false);
        QCOMPARE(t.at(2).toObject().value("name").toString(), QStringLiteral("1"));
        // The window still answers.
        QVERIFY(click("functionPage0"));
        QTRY_VERIFY(item("openLinkButton"));
        QVERIFY(click("functionPage1"));
        panel()->setProperty("selected", QVariantList());
        QVERIFY(click("cmdClear"));
        accept_alert("所有命令和命令组会被清除");
    }

    void deleting_asks_and_a_restart_keeps_the_tree()
    {
        next_path_ = home_.path() + "/mine.cmds.json";
        menu_pick("cmdLoad", "cmdLoadAppend");
        QTRY_COMPARE(tree().size(), 1);
        select("0_1");
        QVERIFY(click("cmdDelete"));
        accept_alert("此命令会被删除，不可恢复，");
        QTRY_COMPARE(tree().at(0).toObject().value("subCmds").toArray().size(), 4);
        select("0");
        QVERIFY(click("cmdClear"));
        accept_alert("命令组下的所有命令会被清除，不可恢复，");
        QTRY_COMPARE(tree().at(0).toObject().value("subCmds").toArray().size(), 0);
        QVERIFY(click("cmdDelete"));
        accept_alert("此命令组会被删除，不可恢复，");
        QTRY_COMPARE(tree().size(), 0);

        menu_pick("cmdLoad", "cmdLoadAppend");
        QTRY_COMPARE(tree().size(), 1);
        select("0_2");
        const QJsonArray kept = tree();
        QVERIFY(click("closeButton"));
        QTRY_VERIFY(!window_->isVisible());
        unload_scene();
        peer_ = nullptr;
        QVERIFY(load_scene());
        QTRY_VERIFY(panel());
        QCOMPARE(tree(), kept);
        const QVariant selected = panel()->property("selected");
        QCOMPARE(QJsonValue::fromVariant(selected.value<QJSValue>().toVariant()).toArray(), (QJsonArray{0, 2}));
        QCOMPARE(object("leftPanel")->property("lpf").value<QObject *>()->property("current").toInt(), 1);
        shot("commands-restored");
    }
};

QTEST_MAIN(Tst_CommandPanel)
#include "tst_commandpanel.moc"
