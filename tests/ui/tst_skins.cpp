#include <QtTest>

#include <QTemporaryDir>

#include "datahub.h"
#include "myapplication.h"
#include "qmlfiledialog.h"
#include "widgetscene.h"

// The skin page of the settings in the real scene: the installed themes
// and the built-in one chosen with the mouse, a colour edited, the theme
// cloned, saved under a name and deleted, an installed theme that cannot
// be deleted, bad theme files that change nothing they cannot, and the
// theme back after a restart.
class Tst_Skins : public QObject, public WidgetScene
{
    Q_OBJECT

    QTemporaryDir home_;
    QObject *funcs()
    {
        QQuickWindow *w = settings_window(false);
        return w ? w->property("theme_funcs").value<QObject *>() : nullptr;
    }
    QObject *theme() { return funcs()->property("theme").value<QObject *>(); }
    QString colour(const char *member) { return theme()->property(member).value<QColor>().name(QColor::HexArgb); }
    QString custom_dir()
    {
        QVariant dir;
        QMetaObject::invokeMethod(funcs(), "custom_dir", Q_RETURN_ARG(QVariant, dir));
        return dir.toString();
    }
    void open_skins()
    {
        if (!settings_window())
            QVERIFY(click("skinButton"));
        QTRY_VERIFY(settings_window());
        activate(settings_window());
        QTRY_COMPARE(settings_window()->property("page").toInt(), 1);
    }
    // Clicks an entry of the theme list (refreshed first).
    void choose_theme(const QString &name)
    {
        in_settings([&]() {
            QVERIFY(click("themeRefreshButton"));
            QTRY_VERIFY(item("themeEntry_" + name));
            QVERIFY(click("themeEntry_" + name));
        });
    }
    // Scrolls the skin page to show the item of that name at its top (call inside in_settings).
    void scroll_to(const QString &name)
    {
        QQuickItem *flick = item("themeDetailPanel");
        QQuickItem *target = item(name, false);
        QVERIFY(flick && target);
        QQuickItem *content = flick->property("contentItem").value<QQuickItem *>();
        const double bottom = std::max(0.0, flick->property("contentHeight").toDouble() - flick->height());
        flick->setProperty("contentY", std::min(bottom, target->mapToItem(content, QPointF(0, 0)).y()));
        QTest::qWait(200);
    }
    // Waits until the menu of that name has finished opening (call inside in_settings).
    bool wait_opened(const char *menu)
    {
        QObject *m = window_->contentItem()->findChild<QObject *>(menu);
        if (!m)
            for (QObject *o : window_->findChildren<QObject *>(menu))
                m = o;
        if (!m) {
            qWarning("no menu %s", menu);
            return false;
        }
        return QTest::qWaitFor([m]() { return m->property("opened").toBool(); }, 3000);
    }
    void accept_in_main(const QString &start, bool ok = true)
    {
        activate(window_);
        QTRY_VERIFY2(alert_text().startsWith(start), qPrintable(alert_text()));
        answer_alert(ok);
        activate(settings_window());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home_.isValid());
        use_home(home_.path());
        answer_file_dialogs();
        QVERIFY(load_scene());
        activate(window_);
    }
    void cleanupTestCase()
    {
        unload_scene();
        QMLFileDialog::set_chooser({});
    }

    void the_installed_themes_and_the_builtin_one()
    {
        open_skins();
        const QString dark_bg = colour("bgColor");
        choose_theme("Light");
        QTRY_COMPARE(colour("bgColor"), QStringLiteral("#ffffffff"));
        QCOMPARE(colour("fontColor"), QStringLiteral("#ff1f2328"));
        QTest::qWait(200);
        // The window is drawn in the light colours.
        const QImage light = window_->grabWindow();
        QCOMPARE(light.pixelColor(item("sendInput")->mapToScene(QPointF(40, 40)).toPoint()).lightness() > 200, true);
        shot("skins-light");
        shot_of(settings_window(), "skins-page-light");
        choose_theme("Dark");
        QTRY_COMPARE(colour("fontColor"), QStringLiteral("#ffcdd9e5"));
        shot("skins-dark");
        in_settings([&]() { QVERIFY(click("themeEntry_builtin")); });
        QTRY_COMPARE(colour("bgColor"), dark_bg);
        QCOMPARE(funcs()->property("theme_name").toString(), QString());
        shot_of(settings_window(), "skins-page-default");
    }

    void a_colour_edited_cloned_saved_and_deleted()
    {
        open_skins();
        in_settings([&]() {
            QVERIFY(click("themeColor_bgColor"));
            QVERIFY(wait_opened("themeColorPicker"));
            QVERIFY(click("colorSwatch0"));
        });
        QTRY_COMPARE(colour("bgColor"), QStringLiteral("#fff44336"));
        in_settings([&]() { QVERIFY(click("themeCloneButton")); });
        accept_in_main(QStringLiteral("皮肤已保存至以下路径: "));
        const QString clone = custom_dir() + "/默认 1.json";
        QVERIFY(QFile::exists(clone));
        QCOMPARE(funcs()->property("theme_name").toString(), clone);
        in_settings([&]() { QTRY_VERIFY(item("themeEntry_默认 1")); });

        next_path_ = custom_dir() + "/Mine";
        in_settings([&]() { QVERIFY(click("themeSaveAsButton")); });
        accept_in_main(QStringLiteral("皮肤已保存至以下路径: "));
        QVERIFY(QFile::exists(custom_dir() + "/Mine.json"));
        in_settings([&]() { QTRY_VERIFY(item("themeEntry_Mine")); });

        // Deleting the user's theme asks first; the file goes.
        in_settings([&]() { QVERIFY(click("themeRemove_默认 1")); });
        accept_in_main(QStringLiteral("删除皮肤文件"));
        QTRY_VERIFY(!QFile::exists(clone));
        in_settings([&]() { QTRY_VERIFY(!item("themeEntry_默认 1")); });
        // An installed theme is not deleted.
        in_settings([&]() { QVERIFY(click("themeRemove_Dark")); });
        accept_in_main(QStringLiteral("安装在plugins/themes的主题不能被删除, "));
        QVERIFY(QFile::exists(myapp_->themes_path() + "/Dark.json"));
    }

    void bad_theme_files_change_nothing_they_cannot()
    {
        open_skins();
        in_settings([&]() { QVERIFY(click("themeEntry_builtin")); });
        const QString bg = colour("bgColor");
        const QString dir = custom_dir();
        auto write = [](const QString &path, const QByteArray &bytes) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        write(dir + "/NotJson.json", "{ this is not json");
        write(dir + "/Huge.json", QByteArray(50 * 1024 * 1024, ' ') + "{}");
        write(dir + "/Partial.json", "{\"type\":\"theme\",\"vnumber\":100,\"ctx\":{\".\":{\"fontColor\":\"#102030\"}}}");
        write(dir + "/Spoilt.json", "{\"type\":\"theme\",\"vnumber\":100,\"ctx\":{\".\":{\"bgColor\":\"nope\",\"fontColor\":12,"
                                "\"badColor\":\"#abcdef\"}}}");
        for (const char *name : {"NotJson", "Huge"}) {
            choose_theme(name);
            activate(window_);
            QTRY_VERIFY2(alert_text().startsWith(QStringLiteral("无法载入皮肤文件")), name);
            QVERIFY2(alert_text().contains(QString(name) + ".json"), qPrintable(alert_text()));
            answer_alert(true);
            QCOMPARE(colour("bgColor"), bg);
            activate(settings_window());
        }
        choose_theme("Partial");
        QTRY_COMPARE(colour("fontColor"), QStringLiteral("#ff102030"));
        QCOMPARE(colour("bgColor"), bg);
        choose_theme("Spoilt");
        QTRY_COMPARE(colour("badColor"), QStringLiteral("#ffabcdef"));
        QCOMPARE(colour("bgColor"), bg);
        // The default, not what the theme before had.
        QCOMPARE(colour("fontColor"), QStringLiteral("#ffcdd9e5"));
    }

    void channel_colour_presets_are_added_moved_deleted_and_used()
    {
        open_skins();
        in_settings([&]() { QVERIFY(click("themeEntry_builtin")); });
        auto presets = [&]() { return theme()->property("lColors").toStringList(); };
        QTRY_COMPARE(presets().size(), 10);
        const QStringList before = presets();
        in_settings([&]() {
            scroll_to("lineColorSettings");
            QVERIFY(click("addLineColorButton"));
            QTRY_COMPARE(presets().size(), 11);
            QTest::qWait(200);
            // A click chooses a preset and opens the colour choice for it.
            QVERIFY(click("lineColor0"));
            QVERIFY(wait_opened("lineColorPicker"));
            QVERIFY(click("colorSwatch5"));
            QTRY_COMPARE(presets().at(0), QStringLiteral("#2196f3"));
            // The chosen one moves down behind the second, and back.
            QTest::qWait(300);
            QVERIFY(click("lineColorDownButton"));
            QTRY_COMPARE(presets().at(1), QStringLiteral("#2196f3"));
            QCOMPARE(presets().at(0), before.at(1));
            QVERIFY(click("lineColorUpButton"));
            QTRY_COMPARE(presets().at(0), QStringLiteral("#2196f3"));
            // A long press deletes.
            // (The swatches are made again when the list changes.)
            QTest::qWait(300);
            const QPoint second = centre_of(item("lineColor1"));
            QTest::mousePress(window_, Qt::LeftButton, Qt::NoModifier, second);
            QTest::qWait(1200);
            QTest::mouseRelease(window_, Qt::LeftButton, Qt::NoModifier, second);
            QTRY_COMPARE(presets().size(), 10);
            QCOMPARE(presets().at(1), before.at(2));
        });
        shot_of(settings_window(), "skins-presets");
        // New channels take the presets in turn.
        QStringList mine = presets();
        mine[0] = "#123456";
        mine[1] = "#654321";
        theme()->setProperty("lColors", mine);
        open_link();
        QTRY_VERIFY(hub_->num_lines() >= 2);
        close_link();
        QCOMPARE(hub_->color(0).name(), QStringLiteral("#123456"));
        QCOMPARE(hub_->color(1).name(), QStringLiteral("#654321"));
    }

    void a_background_picture_shows_and_the_default_takes_it_away()
    {
        const QString dir = myapp_->data_dir_path() + "/pictures";
        QVERIFY(QDir().mkpath(dir));
        QImage red(64, 48, QImage::Format_RGB32);
        red.fill(QColor(255, 0, 0));
        QVERIFY(red.save(dir + "/red.png"));
        open_skins();
        QObject *bg = theme()->property("bg").value<QObject *>();
        QVERIFY(bg);
        in_settings([&]() {
            scroll_to("backgroundSettings");
            QVERIFY(choose("bgPictureCombo", 2));
            QTRY_COMPARE(bg->property("picture").toString(), dir + "/red.png");
            QVERIFY(type_into(item("bgPictureOpacitySpin"), "100"));
            QTRY_COMPARE(bg->property("picture_opacity").toDouble(), 1.0);
        });
        shot_of(settings_window(), "skins-background-settings");
        activate(window_);
        // Beside the chart's grid, where the tab shows its background.
        QQuickItem *stack = item("tabStack");
        const QPoint at = stack->mapToScene(QPointF(stack->width() * 0.53, stack->height() * 0.43)).toPoint();
        QTRY_VERIFY(window_->grabWindow().pixelColor(at).red() > 200 && window_->grabWindow().pixelColor(at).green() < 60);
        shot("skins-background-red");
        // On top, the picture covers the panels too.
        bg->setProperty("on_top", true);
        QQuickItem *left = item("leftPanel", false);
        QVERIFY(left);
        const QPoint panel = left->mapToScene(QPointF(left->width() / 2, left->height() - 30)).toPoint();
        QTRY_VERIFY(window_->grabWindow().pixelColor(panel).red() > 200);
        bg->setProperty("on_top", false);
        activate(settings_window());
        in_settings([&]() { QVERIFY(click("bgResetButton")); });
        QTRY_COMPARE(bg->property("picture").toString(), QStringLiteral("qelo"));
        QTRY_VERIFY(window_->grabWindow().pixelColor(at).red() < 120);
        // Chosen again, it is there after a restart.
        bg->setProperty("picture", dir + "/red.png");
        bg->setProperty("fill", false);
        bg->setProperty("x_mode", "right");
        bg->setProperty("x_offset", 12);
        close_window();
        unload_scene();
        QVERIFY(load_scene());
        activate(window_);
        bg = theme()->property("bg").value<QObject *>();
        QCOMPARE(bg->property("picture").toString(), dir + "/red.png");
        QVERIFY(!bg->property("fill").toBool());
        QCOMPARE(bg->property("x_mode").toString(), QStringLiteral("right"));
        QCOMPARE(bg->property("x_offset").toInt(), 12);
        bg->setProperty("picture", "qelo");
    }

    void the_theme_comes_back_after_a_restart()
    {
        open_skins();
        choose_theme("Light");
        QTRY_COMPARE(colour("bgColor"), QStringLiteral("#ffffffff"));
        const QString name = funcs()->property("theme_name").toString();
        close_window();
        unload_scene();
        QVERIFY(load_scene());
        activate(window_);
        QCOMPARE(colour("bgColor"), QStringLiteral("#ffffffff"));
        QCOMPARE(funcs()->property("theme_name").toString(), name);
        QCOMPARE(theme()->property("lColors").toStringList().first(), QStringLiteral("#d32f2f"));
        // The theme in use is kept beside the user's themes, the one before as its swap copy.
        const QString dir = custom_dir();
        const QString current = dir + "/theme.json";
        QVERIFY(QFile::exists(current));
        open_skins();
        choose_theme("Dark");
        QTRY_COMPARE(colour("fontColor"), QStringLiteral("#ffcdd9e5"));
        close_window();
        unload_scene();
        QVERIFY(QFile::exists(dir + "/theme.swap.json"));
        // A damaged theme.json: the swap copy (the light theme) is used, and the file is named.
        QFile damaged(current);
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write("{ not json");
        damaged.close();
        QVERIFY(load_scene());
        activate(window_);
        QCOMPARE(colour("bgColor"), QStringLiteral("#ffffffff"));
        QTRY_VERIFY(terminal_text().contains("theme.json"));
        // Theme files are not listed as themes to choose.
        open_skins();
        in_settings([&]() {
            QVERIFY(click("themeRefreshButton"));
            QTest::qWait(200);
            QVERIFY(!item("themeEntry_theme"));
            QVERIFY(!item("themeEntry_theme.swap"));
        });
    }
};

QTEST_MAIN(Tst_Skins)
#include "tst_skins.moc"
