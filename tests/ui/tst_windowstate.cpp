#include <QtTest>

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJSValue>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QQmlExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <csignal>
#include <sys/stat.h>

#include "../unwritabledir.h"
#include "mainscene.h"
#include "outbuffer.h"
#include "runpath.h"
#include "textbuffer.h"
#include "typeregistry.h"

// The window's state across restarts: changed through the real scene with
// the mouse and keys, saved by closing the window, brought back by the real
// program started again (and ended by SIGTERM) and by the scene loaded again
// in this process; and state files that are broken, foreign or unwritable.
class Tst_WindowState : public QObject, public MainScene
{
    Q_OBJECT

    QTemporaryDir home_;

    QString context_dir() const { return home_.path() + "/config/qelo/100/context"; }
    QString config_file() const { return context_dir() + "/qelo+.config.json"; }
    QString tabviews_file() const { return context_dir() + "/qelo+.tabviews.json"; }
    QString cmds_file() const { return context_dir() + "/qelo+.cmds.json"; }
    QString data_file() const { return home_.path() + "/config/qelo/qelo+.datas.csv"; }

    static ino_t inode(const QString &path)
    {
        struct stat st{};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
    }

    QVariantMap main_ctx()
    {
        QVariant ctx;
        QMetaObject::invokeMethod(window_, "get_ctx", Q_RETURN_ARG(QVariant, ctx));
        return ctx.toMap();
    }
    QVariant tabviews_ctx()
    {
        QVariant ctx;
        QMetaObject::invokeMethod(window_, "get_tabviews_ctx", Q_RETURN_ARG(QVariant, ctx));
        return ctx;
    }
    static QByteArray text_of(const QJsonValue &v)
    {
        return v.isArray() ? QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact)
                           : QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact);
    }
    // Compares two states and shows both when they differ.
    static bool same(const QJsonValue &a, const QJsonValue &b)
    {
        if (a == b)
            return true;
        qWarning("states differ:\n%s\n%s", text_of(a).constData(), text_of(b).constData());
        return false;
    }

    QProcess *start_program(const QStringList &args = {})
    {
        auto *p = new QProcess(this);
        p->setProgram(qEnvironmentVariable("QELO_BUILD_DIR") + "/qelo");
        p->setArguments(args);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start();
        return p;
    }
    static QString run(const QString &program, const QStringList &args)
    {
        QProcess p;
        p.start(program, args);
        p.waitForFinished(5000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    // The program's main window is mapped once it has restored the state
    // (its splash window is mapped before).
    static bool program_window_shown(qint64 pid)
    {
        for (int i = 0; i < 150; ++i) {
            const QStringList ids = run("xdotool", {"search", "--onlyvisible", "--pid", QString::number(pid), "--name", "."})
                                        .split('\n', Qt::SkipEmptyParts);
            for (const QString &id : ids)
                if (run("xdotool", {"getwindowname", id}).startsWith("QELO+ "))
                    return true;
            QTest::qWait(100);
        }
        return false;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home_.isValid());
        use_home(home_.path());
    }

    void cleanup()
    {
        if (engine_)
            unload_scene();
    }

    void a_fresh_profile_opens_with_the_defaults()
    {
        QVERIFY(load_scene());
        QCOMPARE(object("linkTypeCombo")->property("currentIndex").toInt(), 4);
        QCOMPARE(object("engineCombo")->property("currentText").toString(), QStringLiteral("ZezoRovar"));
        QCOMPARE(hub_->size(), 50000);
        QCOMPARE(window_->size(), QSize(1240, 780));
        QVERIFY(!terminal_text().contains("qelo+"));
        QVERIFY(!QFile::exists(config_file()));
    }

    void every_change_survives_a_restart()
    {
        QVERIFY(load_scene());
        QQuickItem *size = item("bufferSize");
        QVERIFY(type_into(size, "20000"));
        QTRY_COMPARE(hub_->size(), 20000);
        QVERIFY(click("noClearWarning"));
        QVERIFY(type_into(spin_of("demoPeriod"), "25"));
        QCOMPARE(pal()->property("demo_timeout").toInt(), 25);

        // Data with named, coloured and scaled channels, and a send history.
        open_link();
        QTRY_VERIFY_WITH_TIMEOUT(hub_->num_lines() == 5 && hub_->effective_size() > 100, 15000);
        QVERIFY(click("channelRow0"));
        QTRY_VERIFY(item("nameInput"));
        QVERIFY(type_into("nameInput", "Temperature"));
        QTRY_COMPARE(hub_->names().value(0), QStringLiteral("Temperature"));
        QVERIFY(type_into("scaleInput", "2.5"));
        QTRY_COMPARE(hub_->scale(0), 2.5);
        QVERIFY(click("colorPreset2"));
        QTRY_COMPARE(hub_->color(0), QColor("#2196f3"));
        type_and_send("hello");
        QTRY_COMPARE(object("txRxZone")->property("send_record_model").value<QObject *>()->property("count").toInt(), 1);
        // Wheel zoom of the first tab's chart.
        QQuickItem *plot = item("plotArea");
        QTest::mouseMove(window_, centre(plot));
        QWheelEvent wheel(plot->mapToScene(QPointF(plot->width() / 2, plot->height() / 2)),
                          window_->mapToGlobal(centre(plot)), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QGuiApplication::sendEvent(window_, &wheel);
        QTRY_VERIFY(wave_chart()->property("shown_count").toInt() < 1000);
        close_link();

        // Connection page: engine, link kind and its parameters.
        QVERIFY(choose("engineCombo", object("engineCombo")->property("model").toStringList().indexOf("ZazuZavuv")));
        QTRY_COMPARE(object("engineCombo")->property("currentText").toString(), QStringLiteral("ZazuZavuv"));
        QVERIFY(choose("linkTypeCombo", 1));
        QTRY_VERIFY(item("udpRemoteIp"));
        QVERIFY(type_into("udpRemoteIp", "127.0.0.9"));
        QVERIFY(type_into(spin_of("udpRemotePort"), "4000"));
        QTRY_COMPARE(pal()->property("udp_remote_ip").toString(), QStringLiteral("127.0.0.9"));
        QCOMPARE(pal()->property("udp_remote_port").toInt(), 4000);

        // Terminal: toggles, send mode, ending, repetition, Enter mode, encoders.
        QVERIFY(click("timeToggle"));
        QVERIFY(click("hexViewToggle"));
        QTRY_VERIFY(hub_->text_buffer()->if_show_hex());
        QVERIFY(choose("sendModeCombo", 1));
        QVERIFY(choose("appendCombo", 4));
        QVERIFY(click("loopCheck"));
        QTRY_VERIFY(item("loopMs"));
        QVERIFY(type_into("loopMs", "250"));
        QVERIFY(click("enterModeButton"));
        QVERIFY(click("encoderButton"));
        QTRY_VERIFY(item("newEncoderInput"));
        QVERIFY(type_into("newEncoderInput", "ISO-8859-1"));
        QTRY_COMPARE(hub_->text_buffer()->encoder(), QStringLiteral("ISO-8859-1"));
        // The theme has no editor yet: set one of its members as the editor will.
        QQmlExpression(qmlContext(window_), window_, "theme.textAnsiRx = '33'").evaluate();
        QTRY_COMPARE(hub_->text_buffer()->property("ansi_rx").toString(), QStringLiteral("33"));

        // Settings panel, hub settings, chart kind and auto mode, tabs.
        QVERIFY(type_into("globalDecimal", "3"));
        QTRY_COMPARE(hub_->global_decimal(), 3);
        hub_->set_fps(40);
        hub_->set_timeout_ms(5);
        QVERIFY(click("autoButton"));
        QVERIFY(click("chartKindButton"));
        QTRY_VERIFY(item("chartKind1"));
        QVERIFY(click("chartKind1"));
        QTRY_COMPARE(wave_chart()->property("kind").toInt(), 1);
        QVERIFY(click("newTabButton"));
        QTRY_COMPARE(object("tabView")->property("count").toInt(), 2);

        // Split positions dragged by their handles; window geometry.
        QQuickItem *left = item("leftPanel");
        QVERIFY(left);
        const int left_before = int(left->width());
        const QPoint handle = left->mapToScene(QPointF(left->width() + 1, left->height() / 2)).toPoint();
        drag(handle, handle + QPoint(60, 0));
        QTRY_VERIFY(int(left->width()) > left_before + 30);
        QVERIFY(click("functionPage1"));
        window_->setGeometry(QRect(40, 30, 1100, 700));
        QTRY_COMPARE(window_->property("normal_geometry").toRect(), QRect(40, 30, 1100, 700));
        // A command tree the command panel will edit; kept as it is.
        const QVariantList tree{QVariantMap{{"name", "reset"}, {"cmd_hex", "72 0D"}, {"is_group", false}}};
        QMetaObject::invokeMethod(object("commandPanel"), "set_tree", Q_ARG(QVariant, tree));
        // The language too; switching it keeps every selection.
        translator_->select_language(2);
        QTRY_COMPARE(item("sendButton")->property("text").toString(), QStringLiteral("發送消息"));
        QCOMPARE(object("linkTypeCombo")->property("currentIndex").toInt(), 1);
        QCOMPARE(object("appendCombo")->property("currentIndex").toInt(), 4);
        QCOMPARE(object("sendModeCombo")->property("currentIndex").toInt(), 1);
        shot("state-before-close");

        // Plain JSON now: script values die with the scene.
        const QJsonValue before = plain(main_ctx());
        const QJsonValue tabs_before = plain(tabviews_ctx());
        const int rows = hub_->effective_size();
        close_window();
        // As start-up does once the window has closed.
        translator_->saveLanguage();
        QVERIFY(QFile::exists(config_file()));
        QVERIFY(QFile::exists(tabviews_file()));
        QVERIFY(QFile::exists(cmds_file()));
        QVERIFY(QFile::exists(data_file()));
        QVERIFY(same(json(config_file()).value("ctx"), before));
        QVERIFY(same(json(tabviews_file()).value("ctx"), tabs_before));
        const QByteArray data = read(data_file());
        QVERIFY(data.startsWith("Temperature,I,I,I,I\r\n"));
        QCOMPARE(data.count('\n'), rows + 1);
        unload_scene();

        // The real program restores everything and, ended by SIGTERM (twice,
        // the second while the first is handled), saves the same state again.
        const QByteArray config_saved = read(config_file());
        const ino_t config_inode = inode(config_file());
        QProcess *program = start_program();
        QVERIFY(program->waitForStarted());
        QVERIFY(program_window_shown(program->processId()));
        ::kill(pid_t(program->processId()), SIGTERM);
        ::kill(pid_t(program->processId()), SIGTERM);
        QVERIFY(program->waitForFinished(20000));
        QCOMPARE(program->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->exitCode(), 0);
        QVERIFY(inode(config_file()) != config_inode);
        QCOMPARE(json(config_file()), QJsonDocument::fromJson(config_saved).object());
        QVERIFY(same(json(tabviews_file()).value("ctx"), tabs_before));
        QCOMPARE(read(data_file()), data);
        QCOMPARE(json(cmds_file()).value("ctx").toArray().at(0).toObject().value("name").toString(),
                 QStringLiteral("reset"));

        // A picture of the restored window as the program shows it.
        const QString shots = qEnvironmentVariable("QELO_BUILD_DIR") + "/screenshots";
        QDir().mkpath(shots);
        QProcess *pictured = start_program({"--screenshot", shots + "/ui-state-restored-program.png"});
        QVERIFY(pictured->waitForFinished(30000));
        QCOMPARE(pictured->exitCode(), 0);

        // And the scene loaded again here shows every change.
        QVERIFY(load_scene());
        QCOMPARE(window_->geometry(), QRect(40, 30, 1100, 700));
        QVERIFY(same(plain(main_ctx()), before));
        QVERIFY(same(plain(tabviews_ctx()), tabs_before));
        QCOMPARE(hub_->size(), 20000);
        QCOMPARE(hub_->effective_size(), rows);
        QCOMPARE(hub_->names().value(0), QStringLiteral("Temperature"));
        QTRY_COMPARE(hub_->scale(0), 2.5);
        QCOMPARE(hub_->color(0), QColor("#2196f3"));
        QCOMPARE(hub_->fps(), 40);
        QCOMPARE(hub_->timeout_ms(), 5);
        QCOMPARE(hub_->global_decimal(), 3);
        QCOMPARE(hub_->text_buffer()->encoder(), QStringLiteral("ISO-8859-1"));
        QCOMPARE(hub_->text_buffer()->property("ansi_rx").toString(), QStringLiteral("33"));
        QVERIFY(hub_->text_buffer()->if_show_hex());
        QVERIFY(!hub_->text_buffer()->if_show_time());
        QCOMPARE(object("linkTypeCombo")->property("currentIndex").toInt(), 1);
        QCOMPARE(object("engineCombo")->property("currentText").toString(), QStringLiteral("ZazuZavuv"));
        QCOMPARE(pal()->property("udp_remote_ip").toString(), QStringLiteral("127.0.0.9"));
        QCOMPARE(pal()->property("demo_timeout").toInt(), 25);
        QObject *zone = object("txRxZone");
        QVERIFY(zone->property("send_hex_on").toBool());
        QVERIFY(zone->property("loop_on").toBool());
        QCOMPARE(zone->property("loop_ms").toInt(), 250);
        QVERIFY(!zone->property("enter_to_send").toBool());
        QCOMPARE(object("appendCombo")->property("currentIndex").toInt(), 4);
        QCOMPARE(object("tabView")->property("count").toInt(), 2);
        QCOMPARE(object("tabView")->property("current").toInt(), 1);
        QCOMPARE(item("leftPanel", false)->width(),
                 before["wave_view"]["ctx"]["left_panel"]["ctx"]["."]["ctx_width"].toDouble());
        QCOMPARE(plain(object("commandPanel")->property("tree")).toArray().size(), 1);
        QCOMPARE(translator_->language_index(), 2);
        shot("state-restored");
        translator_->select_language(1);
        translator_->saveLanguage();
    }

    void sigint_saves_like_closing()
    {
        QDir(context_dir()).removeRecursively();
        QProcess *program = start_program();
        QVERIFY(program->waitForStarted());
        QVERIFY(program_window_shown(program->processId()));
        ::kill(pid_t(program->processId()), SIGINT);
        QVERIFY(program->waitForFinished(20000));
        QCOMPARE(program->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->exitCode(), 0);
        QCOMPARE(json(config_file()).value("type").toString(), QStringLiteral("config"));
        QCOMPARE(json(tabviews_file()).value("type").toString(), QStringLiteral("tabviews"));
    }

    void a_window_from_a_screen_that_is_gone_opens_on_the_primary_screen()
    {
        QDir(context_dir()).removeRecursively();
        QVERIFY(write(config_file(), envelope("config", 100, R"({".": {"ctx": {"x": 5000, "y": 4000,
            "width": 3000, "height": 600, "maximized": false, "screen": "a screen unplugged"}}})")));
        QVERIFY(load_scene());
        const QRect screen = window_->screen()->geometry();
        QCOMPARE(window_->width(), screen.width());
        QCOMPARE(window_->height(), 600);
        QVERIFY(screen.contains(window_->geometry()));
        QCOMPARE(window_->y(), screen.y() + (screen.height() - 600) / 2);
    }

    void the_maximised_state_comes_back()
    {
        QDir(context_dir()).removeRecursively();
        QVERIFY(load_scene());
        window_->setGeometry(QRect(20, 10, 1000, 640));
        // The window has taken the new place once it notes it as normal.
        QTRY_COMPARE(window_->property("normal_geometry").toRect(), QRect(20, 10, 1000, 640));
        QVERIFY(click("maximizeButton"));
        QTRY_COMPARE(window_->visibility(), QWindow::Maximized);
        close_window();
        unload_scene();
        QVERIFY(load_scene());
        QTRY_COMPARE(window_->visibility(), QWindow::Maximized);
        // Restoring it gives back the size it had before it was maximised.
        QVERIFY(click("maximizeButton"));
        QTRY_COMPARE(window_->visibility(), QWindow::Windowed);
        QTRY_COMPARE(window_->geometry(), QRect(20, 10, 1000, 640));
    }

    void an_empty_buffer_at_close_drops_the_old_data_file()
    {
        QVERIFY(QFile::exists(data_file()));
        QVERIFY(load_scene());
        QVERIFY(hub_->effective_size() > 0);
        QVERIFY(click("clearData"));
        QTRY_VERIFY(item("alertOk"));
        QVERIFY(click("alertOk"));
        QTRY_COMPARE(hub_->num_lines(), 0);
        close_window();
        QVERIFY(!QFile::exists(data_file()));
    }

    void bad_state_files_change_nothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        const QString config = "qelo+.config.json", cmds = "qelo+.cmds.json", tabs = "qelo+.tabviews.json";
        QTest::newRow("not JSON") << config << QByteArray("{\"type\": \"config\", \"vnumber\": 100, ") << "JSON";
        QTest::newRow("an array") << config << QByteArray("[1, 2, 3]") << "不是配置文件";
        QTest::newRow("no envelope") << config << QByteArray("{\"wave_view\": {}}") << "不是配置文件";
        QTest::newRow("vnumber as text") << config << envelope("config", 100, "{}").replace("100", "\"100\"")
                                         << "不是配置文件";
        QTest::newRow("too old") << config << envelope("config", 2, "{}") << "脚本版本太旧，无法加载。";
        QTest::newRow("too new") << config << envelope("config", 101, "{}") << "脚本版本太新，无法加载。";
        QTest::newRow("other type") << config << envelope("tabviews", 100, "[]") << "脚本类型不对，无法加载。";
        QTest::newRow("cmds too old") << cmds << envelope("cmds", 2, "[]") << "脚本版本太旧，无法加载。";
        QTest::newRow("cmds too new") << cmds << envelope("cmds", 101, "[]") << "脚本版本太新，无法加载。";
        QTest::newRow("cmds of another type") << cmds << envelope("tabview", 100, "[]") << "脚本类型不对，无法加载。";
        QTest::newRow("tabviews not JSON") << tabs << QByteArray("\x00\xff garbage", 10) << "JSON";
        QTest::newRow("nested 10000 deep") << config
                                           << envelope("config", 100, QByteArray(10000, '[') + QByteArray(10000, ']'))
                                           << "JSON";
        QByteArray huge = envelope("config", 100, "{\"pad\": \"");
        huge.chop(1);
        huge += QByteArray(100 * 1024 * 1024, 'x') + "\"}}";
        QTest::newRow("100 MB") << config << huge << "文件太大";
    }
    void bad_state_files_change_nothing()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QDir(context_dir()).removeRecursively();
        QFile::remove(data_file());
        const QString path = context_dir() + "/" + file;
        QVERIFY(write(path, content));

        QVERIFY(load_scene());
        QCOMPARE(object("linkTypeCombo")->property("currentIndex").toInt(), 4);
        QCOMPARE(hub_->size(), 50000);
        QCOMPARE(object("tabView")->property("count").toInt(), 1);
        QCOMPARE(plain(object("commandPanel")->property("tree")).toArray().size(), 0);
        QTRY_VERIFY(terminal_text().contains(path));
        QVERIFY2(terminal_text().contains(reason), qPrintable(terminal_text().right(400)));
        QVERIFY(QFile::exists(path + ".bad"));
        QCOMPARE(QFileInfo(path + ".bad").size(), qint64(content.size()));
        // Closing writes a sound file; the refused one stays beside it.
        close_window();
        QCOMPARE(json(path).value("vnumber").toInt(), 100);
        QCOMPARE(QFileInfo(path + ".bad").size(), qint64(content.size()));
        QFile::remove(path + ".bad");
    }

    void members_of_the_wrong_type_keep_their_values()
    {
        QDir(context_dir()).removeRecursively();
        const QByteArray ctx = R"({
            ".": {"ctx": {"x": "left", "width": null, "maximized": 1}},
            "text_buffer": {"encoder": 7, "list_size": "many"},
            "datahub_global": {"fps": "fast", "timeout_ms": [], "global_decimal": {}, "use_instance": "yes"},
            "defaultAppTheme": {"ctx": {".": {"fontColor": "not a colour", "badColor": 3}}},
            "g_settings": {"ctx": {"globalScale": "huge", "fontRenderType": 99}},
            "wave_view": {"ctx": {
                "color_bar": {"ctx": {".": {"size": "abc", "no_clear_warning": "true"}}},
                "tx_rx_zone": {"ctx": {".": {"loop_ms": "1", "font_scale": -5},
                                       "encoder_menu": {"name": "x"}, "send_record_model": "none",
                                       "append_combo": {"currentIndex": 99}}},
                "left_panel": {"ctx": {"pal": {"demo": [], "udp": {"remote_port": "1"},
                                               "link_type_combo": {"currentIndex": 42}}}},
                "settingsPanel": {"ctx": {"settings_ctx": "red"}},
                "main_split_view": {"ctx": {"sizes": ["a", null, -4]}},
                "unknown": {"ctx": {}}
            }},
            "unknown": 1
        })";
        QVERIFY(write(config_file(), envelope("config", 100, ctx)));
        QVERIFY(write(tabviews_file(), envelope("tabviews", 100, R"([{"ctx": {"tabs": [{"ctx": 5}, 3]}}, 7])")));
        QVERIFY(load_scene());
        QCOMPARE(window_->size(), QSize(1240, 780));
        QCOMPARE(hub_->text_buffer()->encoder(), QStringLiteral("UTF-8"));
        QCOMPARE(hub_->fps(), 30);
        QCOMPARE(hub_->size(), 50000);
        QCOMPARE(object("linkTypeCombo")->property("currentIndex").toInt(), 4);
        QCOMPARE(object("appendCombo")->property("currentIndex").toInt(), 0);
        QCOMPARE(object("txRxZone")->property("loop_ms").toInt(), 1000);
        QCOMPARE(object("tabView")->property("count").toInt(), 1);
        QCOMPARE(pal()->property("udp_remote_port").toInt(), 1346);
        QVERIFY(!QFile::exists(config_file() + ".bad"));
        shot("state-mistyped");
    }

    void thousands_of_tabs_are_cut_to_a_window_full()
    {
        QDir(context_dir()).removeRecursively();
        QByteArray tabs = "[";
        for (int i = 0; i < 5000; ++i)
            tabs += QByteArray(i ? "," : "") + R"({"skip_header": false, "ctx": {".": {"name": "t"}}})";
        tabs += "]";
        QVERIFY(write(tabviews_file(), envelope("tabviews", 100, R"([{"ctx": {".": {"current": 4999}, "tabs": )" + tabs
                                                                    + "}}]")));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(load_scene());
        qInfo("opened with a 5000-tab file in %lld ms", clock.elapsed());
        QCOMPARE(object("tabView")->property("count").toInt(), 64);
        QCOMPARE(object("tabView")->property("current").toInt(), 0);
    }

    void a_configuration_without_text_buffer_keeps_encoder_and_chunks()
    {
        QDir(context_dir()).removeRecursively();
        QVERIFY(write(config_file(), envelope("config", 100, R"({"datahub_global": {"global_decimal": 4}})")));
        auto *hub = new DataHub();
        hub->text_buffer()->set_encoder("GBK");
        hub->text_buffer()->set_list_size(7);
        QVERIFY(load_scene(hub));
        QCOMPARE(hub_->global_decimal(), 4);
        QCOMPARE(hub_->text_buffer()->encoder(), QStringLiteral("GBK"));
        QCOMPARE(hub_->text_buffer()->list_size(), 7);
    }

    void an_unwritable_configuration_directory_keeps_the_old_files()
    {
        QDir(context_dir()).removeRecursively();
        QVERIFY(load_scene());
        close_window();
        unload_scene();
        const QByteArray config = read(config_file());
        QVERIFY(!config.isEmpty());

        UnwritableDir unwritable(context_dir());
        if (!unwritable.ok())
            QSKIP("the directory cannot be made unwritable here");
        QVERIFY(load_scene());
        QVERIFY(type_into(item("bufferSize"), "30000"));
        QTRY_COMPARE(hub_->size(), 30000);
        close_window();
        QTRY_VERIFY(terminal_text().contains("qelo+.config.json"));
        const QString text = terminal_text();
        QCOMPARE(read(config_file()), config);
        QVERIFY(text.contains("状态文件保存失败"));
        // Nothing else reaches the user: no message box.
        QVERIFY(!window_->findChild<QObject *>("alertPanel")->property("opened").toBool());
    }
};

QTEST_MAIN(Tst_WindowState)
#include "tst_windowstate.moc"
