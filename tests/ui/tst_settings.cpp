#include <QtTest>

#include <QTemporaryDir>

#include "datahub.h"
#include "dyntranslator.h"
#include "myapplication.h"
#include "qmlfiledialog.h"
#include "widgetscene.h"

// The settings window in the real scene, driven by the mouse and keys:
// opened from the title bar and the main menu; a font size, boldness and
// the UI scale change what the window draws; the refresh rate steps; the
// language is refused while a link is connected; multisampling is kept
// for the next start; reset; everything back after a restart.
class Tst_Settings : public QObject, public WidgetScene
{
    Q_OBJECT

    QTemporaryDir home_;
    QObject *g_settings()
    {
        QQuickWindow *w = settings_window(false);
        return w ? w->property("settings").value<QObject *>() : nullptr;
    }
    // Shows one section of the general page (call inside in_settings); a
    // click landing while the page still lays out is tried again.
    bool show_section(const QString &key)
    {
        QObject *panel = object("generalSettingsPanel");
        const QString want = key == "all" ? QString() : key;
        for (int attempt = 0; panel && attempt < 3; ++attempt) {
            if (!click("settingsSection_" + key))
                return false;
            if (QTest::qWaitFor([&]() { return panel->property("section").toString() == want; }, 1000)) {
                QTest::qWait(100);
                return true;
            }
        }
        return false;
    }
    void open_settings()
    {
        if (!settings_window())
            QVERIFY(click("settingsButton"));
        QTRY_VERIFY(settings_window());
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

    void the_window_opens_from_the_title_bar_and_the_menu()
    {
        QVERIFY(click("settingsButton"));
        QTRY_VERIFY(settings_window());
        in_settings([&]() {
            QTRY_VERIFY(item("generalSettingsPanel"));
            QVERIFY(item("fontSize_sizeNormal"));
            QVERIFY(item("globalScaleSpin"));
            // One section alone, then all again.
            QVERIFY(show_section("quality"));
            QTRY_VERIFY(!item("fontSize_sizeNormal"));
            QVERIFY(item("samplesCombo"));
            QVERIFY(show_section("all"));
            QTRY_VERIFY(item("fontSize_sizeNormal"));
        });
        shot_of(settings_window(), "settings-general");
        QMetaObject::invokeMethod(settings_window(), "close");
        QTRY_VERIFY(!settings_window());
        activate(window_);
        QVERIFY(click("menuButton"));
        menu_item(window_, "generalSettingsItem");
        QTRY_VERIFY(settings_window());
        QCOMPARE(settings_window()->property("page").toInt(), 0);
    }

    void a_font_size_and_bold_change_what_is_drawn()
    {
        open_settings();
        QQuickItem *send = item("sendButton");
        QVERIFY(send);
        const QImage before = window_->grabWindow();
        in_settings([&]() {
            QVERIFY(show_section("font"));
            QVERIFY(type_into(item("fontSize_sizeNormal")->property("spin").value<QQuickItem *>(), "20"));
        });
        QTRY_COMPARE(g_settings()->property("fontPixelSizeNormal").toInt(), 20);
        QVERIFY(g_settings()->property("rowHeight").toInt() >= 37);
        QTest::qWait(200);
        QVERIFY(window_->grabWindow() != before);
        shot("settings-font-20");
        in_settings([&]() {
            QVERIFY(click("fontBoldCheck"));
            QVERIFY(show_section("all"));
        });
        QTRY_VERIFY(g_settings()->property("fontBold").toBool());
        QTRY_VERIFY(item("sendButton")->findChild<QQuickItem *>() != nullptr);
    }

    void the_ui_scale_enlarges_texts_and_controls()
    {
        open_settings();
        QQuickItem *combo = item("linkTypeCombo");
        QVERIFY(combo);
        const qreal height = combo->height();
        const int normal = g_settings()->property("fontPixelSizeNormal").toInt();
        in_settings([&]() {
            QVERIFY(show_section("scale"));
            QVERIFY(type_into(item("globalScaleSpin"), "150"));
        });
        QTRY_COMPARE(g_settings()->property("globalScale").toDouble(), 1.5);
        QCOMPARE(g_settings()->property("fontPixelSizeNormal").toInt(), qRound(normal * 1.5));
        QTRY_VERIFY(combo->height() > height * 1.4);
        // Icons grow with it.
        QQuickItem *icon = item("settingsButton")->childItems().first()->childItems().first();
        QTRY_COMPARE(icon->width(), 27.0);
        shot("settings-scale-150");
        shot_of(settings_window(), "settings-general-scaled");
    }

    void the_refresh_rate_steps()
    {
        open_settings();
        hub_->set_fps(30);
        in_settings([&]() {
            QVERIFY(show_section("quality"));
            QVERIFY(click("fpsUpButton"));
            QTRY_COMPARE(hub_->fps(), 31);
            QTRY_COMPARE(item("fpsText")->property("text").toString(), QString::number(hub_->real_fps()));
            QVERIFY(click("fpsDownButton"));
            QVERIFY(click("fpsDownButton"));
        });
        QTRY_COMPARE(hub_->fps(), 29);
    }

    void the_language_is_refused_while_connected()
    {
        open_settings();
        open_link();
        const int before = translator_->language_index();
        const int other = before == 0 ? 1 : 0;
        in_settings([&]() {
            QVERIFY(show_section("language"));
            // Refused: the combo goes back to the language in use.
            QVERIFY(click("languageCombo"));
            QTest::keyClick(window_, Qt::Key_Escape);
            QTest::keyClick(window_, other > before ? Qt::Key_Down : Qt::Key_Up);
        });
        activate(window_);
        QTRY_VERIFY(alert_text().contains(QStringLiteral("先断开与下位机的连接才能切换语言。")));
        dismiss_alert();
        QCOMPARE(translator_->language_index(), before);
        in_settings([&]() { QTRY_COMPARE(object("languageCombo")->property("currentIndex").toInt(), before); });
        close_link();
        open_settings();
        in_settings([&]() { QVERIFY(choose("languageCombo", other)); });
        QTRY_COMPARE(translator_->language_index(), other);
        shot_of(settings_window(), "settings-general-other-language");
        in_settings([&]() { QVERIFY(choose("languageCombo", before)); });
        QTRY_COMPARE(translator_->language_index(), before);
    }

    void screenshots_from_the_title_bar_and_the_menu()
    {
        activate(window_);
        next_path_ = home_.path() + "/shot";
        QVERIFY(click("screenshotButton"));
        QTRY_VERIFY(alert_text().startsWith(QStringLiteral("截图已保存至以下路径:")));
        answer_alert(true);
        QImage shot(home_.path() + "/shot.png");
        QVERIFY(shot.width() > window_->width() * 0.9 && shot.height() > window_->height() * 0.9);
        // Not a blank picture: the window's panels and texts.
        QVERIFY(shot.pixelColor(10, 10) != shot.pixelColor(shot.width() / 2, shot.height() / 2)
                || shot.pixelColor(shot.width() - 10, shot.height() - 10) != shot.pixelColor(10, 10));
        next_path_ = home_.path() + "/menu.png";
        QVERIFY(click("menuButton"));
        menu_item(window_, "screenshotItem");
        QTRY_VERIFY(alert_text().startsWith(QStringLiteral("截图已保存至以下路径:")));
        answer_alert(true);
        QVERIFY(QImage(home_.path() + "/menu.png").width() > 100);
        // A place that cannot be written is said so.
        next_path_ = home_.path() + "/no/such/dir/x.png";
        QVERIFY(click("screenshotButton"));
        QTRY_VERIFY(alert_text().startsWith(QStringLiteral("截图保存失败:")));
        answer_alert(true);
    }

    void reset_and_a_restart()
    {
        open_settings();
        in_settings([&]() {
            QVERIFY(show_section("quality"));
            QVERIFY(choose("samplesCombo", 2));
        });
        QTRY_COMPARE(window_->property("samples").toInt(), 4);
        in_settings([&]() { QVERIFY(click("settingsResetButton")); });
        activate(window_);
        QTRY_VERIFY(alert_text().startsWith(QStringLiteral("字体、画质和缩放将恢复默认")));
        answer_alert(true);
        QTRY_COMPARE(g_settings()->property("globalScale").toDouble(), 1.0);
        QCOMPARE(g_settings()->property("fontPixelSizeNormal").toInt(), 14);
        QVERIFY(!g_settings()->property("fontBold").toBool());

        g_settings()->setProperty("sizeBig", 22);
        g_settings()->setProperty("fontBold", true);
        g_settings()->setProperty("globalScale", 1.2);
        g_settings()->setProperty("fontFamilyTerm", "DejaVu Sans Mono");
        close_window();
        unload_scene();
        QVERIFY(load_scene());
        activate(window_);
        QCOMPARE(g_settings()->property("sizeBig").toInt(), 22);
        QVERIFY(g_settings()->property("fontBold").toBool());
        QCOMPARE(g_settings()->property("globalScale").toDouble(), 1.2);
        QCOMPARE(g_settings()->property("fontFamilyTerm").toString(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(window_->property("samples").toInt(), 4);
    }
};

QTEST_MAIN(Tst_Settings)
#include "tst_settings.moc"
