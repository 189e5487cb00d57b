#include <QtTest>

#include <QQuickTextDocument>
#include <QTemporaryDir>
#include <QTextDocument>

#include "ringbufferwave.h"
#include "widgetscene.h"

// The panes of the main window taken out into windows of their own and
// put back, in the real scene: each pane with the main menu and
// "回到主体"; the terminal keeps its text and goes on scrolling, the chart
// its index window and goes on drawing, while out; detached panes and
// their places come back after a restart.
class Tst_Panes : public QObject, public WidgetScene
{
    Q_OBJECT

    QTemporaryDir home_;
    static QList<QQuickWindow *> pane_windows()
    {
        QList<QQuickWindow *> out;
        for (QWindow *w : QGuiApplication::topLevelWindows())
            if (w->objectName() == "returnWindow" && w->isVisible())
                out.append(qobject_cast<QQuickWindow *>(w));
        return out;
    }
    // The item of that name in any window.
    static QQuickItem *anywhere(const QString &name)
    {
        for (QWindow *w : QGuiApplication::topLevelWindows())
            if (auto *q = qobject_cast<QQuickWindow *>(w))
                if (QQuickItem *i = in(q, name))
                    return i;
        return nullptr;
    }
    static QString text_of(QQuickItem *rx)
    {
        auto *doc = rx ? rx->property("textDocument").value<QQuickTextDocument *>() : nullptr;
        return doc ? doc->textDocument()->toPlainText() : QString();
    }
    QObject *pane(const char *name) { return object(name); }
    void toggle(const QString &pane_name)
    {
        activate(window_);
        QVERIFY(click("menuButton"));
        QQuickItem *entry = nullptr;
        QTRY_VERIFY((entry = with_text(window_->contentItem(), QStringLiteral("分离窗格"))));
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre_of(entry));
        menu_item(window_, "paneItem_" + pane_name);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home_.isValid());
        use_home(home_.path());
        QVERIFY(load_scene());
        activate(window_);
    }
    void cleanupTestCase() { unload_scene(); }

    void each_pane_goes_out_and_back()
    {
        const QStringList panes = {"leftPane", "tabPane", "terminalPane", "settingsPane"};
        const QStringList inside = {"leftPanel", "tabStack", "colorBar", "waveSettingsPanel"};
        for (int i = 0; i < panes.size(); ++i) {
            toggle(panes[i]);
            QTRY_COMPARE(pane_windows().size(), 1);
            QQuickWindow *win = pane_windows().first();
            QVERIFY(QTest::qWaitForWindowExposed(win));
            QTRY_VERIFY2(in(win, inside[i]), qPrintable(inside[i]));
            QVERIFY(!in(window_, inside[i]));
            QVERIFY(pane(qPrintable(panes[i]))->property("detached").toBool());
            shot("panes-" + panes[i] + "-out-main");
            shot_of(win, "panes-" + panes[i] + "-window");
            // Back with "回到主体".
            activate(win);
            QTest::mouseClick(win, Qt::LeftButton, Qt::NoModifier, centre_of(in(win, "returnButton")));
            QTRY_COMPARE(pane_windows().size(), 0);
            QTRY_VERIFY(in(window_, inside[i]));
            QVERIFY(!pane(qPrintable(panes[i]))->property("detached").toBool());
        }
    }

    void the_terminal_and_the_chart_keep_their_state_and_work_on()
    {
        open_link();
        QTRY_VERIFY(text_of(anywhere("rxText")).size() > 200);
        QTRY_VERIFY(hub_->num_lines() > 0);
        // Out while data flows: both go on.
        toggle("terminalPane");
        QTRY_COMPARE(pane_windows().size(), 1);
        const QString before = text_of(anywhere("rxText"));
        QTRY_VERIFY(text_of(anywhere("rxText")) != before);
        toggle("tabPane");
        QTRY_COMPARE(pane_windows().size(), 2);
        QQuickWindow *chart_window = nullptr;
        for (QQuickWindow *w : pane_windows())
            if (in(w, "ringBufferWave"))
                chart_window = w;
        QVERIFY(chart_window);
        QVERIFY(QTest::qWaitForWindowExposed(chart_window));
        QTest::qWait(500);
        const QImage a = chart_window->grabWindow();
        QTest::qWait(500);
        QVERIFY(chart_window->grabWindow() != a);
        shot_of(chart_window, "panes-chart-window-drawing");
        close_link();
        QTest::qWait(300);
        const QString text = text_of(anywhere("rxText"));
        auto *chart = qobject_cast<RingBufferWave *>(anywhere("ringBufferWave"));
        QVERIFY(chart);
        const int begin = chart->draw_index_begin(), end = chart->draw_index_end();
        // Back: the same text and the same index window.
        const QList<QQuickWindow *> wins = pane_windows();
        for (QQuickWindow *w : wins) {
            activate(w);
            QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, centre_of(in(w, "returnButton")));
        }
        QTRY_COMPARE(pane_windows().size(), 0);
        QCOMPARE(text_of(in(window_, "rxText")), text);
        QTRY_COMPARE(chart->draw_index_begin(), begin);
        QCOMPARE(chart->draw_index_end(), end);
    }

    void detached_panes_come_back_after_a_restart()
    {
        toggle("settingsPane");
        QTRY_COMPARE(pane_windows().size(), 1);
        QQuickWindow *win = pane_windows().first();
        QVERIFY(QTest::qWaitForWindowExposed(win));
        win->setGeometry(QRect(150, 120, 420, 360));
        QTRY_COMPARE(win->property("normal_geometry").toRect(), QRect(150, 120, 420, 360));
        close_window();
        QTRY_COMPARE(pane_windows().size(), 0);
        unload_scene();
        QVERIFY(load_scene());
        activate(window_);
        QTRY_COMPARE(pane_windows().size(), 1);
        win = pane_windows().first();
        QVERIFY(in(win, "waveSettingsPanel"));
        QCOMPARE(win->geometry(), QRect(150, 120, 420, 360));
        QVERIFY(!object("settingsPane")->property("visible").toBool());
        shot("panes-restored-main");
    }
};

QTEST_MAIN(Tst_Panes)
#include "tst_panes.moc"
