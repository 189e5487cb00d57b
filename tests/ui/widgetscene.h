#ifndef WIDGETSCENE_H
#define WIDGETSCENE_H

#include <QGuiApplication>

#include "mainscene.h"

// The real scene with the helpers for widgets and widget windows: items
// found in any window, the tabs of a window and their widgets, dragging
// an entry of the widget page into a tab, the widget and file menus.
class WidgetScene : public MainScene
{
protected:
    static void collect_all(QQuickItem *item, const QString &name, QList<QQuickItem *> &out)
    {
        if (item->objectName() == name && item->isVisible())
            out.append(item);
        for (QQuickItem *child : item->childItems())
            collect_all(child, name, out);
    }
    static QList<QQuickItem *> all_in(QQuickWindow *w, const QString &name)
    {
        QList<QQuickItem *> found;
        collect_all(w->contentItem(), name, found);
        return found;
    }
    static QQuickItem *in(QQuickWindow *w, const QString &name)
    {
        const QList<QQuickItem *> found = all_in(w, name);
        return found.isEmpty() ? nullptr : found.first();
    }
    static QList<QQuickWindow *> widget_windows()
    {
        QList<QQuickWindow *> out;
        for (QWindow *w : QGuiApplication::topLevelWindows())
            if (w->objectName() == "widgetWindow" && w->isVisible())
                out.append(qobject_cast<QQuickWindow *>(w));
        return out;
    }
    QObject *view(QQuickWindow *w = nullptr) { return in(w ? w : window_, "tabView"); }
    int tab_count(QQuickWindow *w = nullptr) { return view(w)->property("count").toInt(); }
    QObject *current_tab(QQuickWindow *w = nullptr) { return view(w)->property("current_tab").value<QObject *>(); }
    // The widgets of the current tab, from back to front.
    QList<QQuickItem *> hosts(QQuickWindow *w = nullptr)
    {
        QList<QQuickItem *> list = all_in(w ? w : window_, "widgetRectangle");
        std::sort(list.begin(), list.end(), [](QQuickItem *a, QQuickItem *b) { return a->z() < b->z(); });
        return list;
    }
    static QQuickItem *inside(QQuickItem *root, const QString &name)
    {
        QList<QQuickItem *> found;
        collect_all(root, name, found);
        return found.isEmpty() ? nullptr : found.first();
    }
    static QPoint centre_of(QQuickItem *i) { return i->mapToScene(QPointF(i->width() / 2, i->height() / 2)).toPoint(); }
    // A point near a widget's top left corner, which widgets dropped later leave uncovered.
    static QPoint hover_point(QQuickItem *host) { return host->mapToScene(QPointF(20, 40)).toPoint(); }
    // A point of the current tab's area, as a fraction of it.
    QPoint tab_point(double fx, double fy, QQuickWindow *w = nullptr)
    {
        QQuickItem *stack = in(w ? w : window_, "tabStack");
        return stack->mapToScene(QPointF(stack->width() * fx, stack->height() * fy)).toPoint();
    }
    static void drag_in(QQuickWindow *w, const QPoint &from, const QPoint &to)
    {
        QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, from);
        for (int i = 1; i <= 12; ++i)
            QTest::mouseMove(w, from + (to - from) * i / 12, 10);
        QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, to, 10);
        QTest::qWait(50);
    }
    // Drags an entry of the widget page into the current tab at `to`
    // (scene coordinates of window `w`).
    void drop_entry(const QString &entry, const QPoint &to_in_w, QQuickWindow *w = nullptr)
    {
        QVERIFY(click("functionPage2"));
        QQuickItem *e = nullptr;
        QTRY_VERIFY((e = item("widgetEntry_" + entry)));
        const QPoint global = (w ? w : window_)->mapToGlobal(to_in_w);
        drag_in(window_, centre_of(e), window_->mapFromGlobal(global));
    }
    // Shows a widget's grip and opens its menu.
    void open_widget_menu(QQuickWindow *w, QQuickItem *host)
    {
        QTest::mouseMove(w, hover_point(host));
        QQuickItem *button = nullptr;
        QTRY_VERIFY((button = inside(host, "widgetMenuButton")));
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, centre_of(button));
        QTest::qWait(150);
    }
    // Clicks `button` of window `w` until `entry` of the menu it opens shows
    // (a window just shown may miss the first click), then clicks the entry.
    void button_menu_item(QQuickWindow *w, const QString &button, const QString &entry)
    {
        for (int attempt = 0; attempt < 3 && !in(w, entry); ++attempt) {
            QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, centre_of(in(w, button)));
            if (QTest::qWaitFor([&]() { return in(w, entry) != nullptr; }, 2000))
                break;
        }
        menu_item(w, entry);
    }
    void menu_item(QQuickWindow *w, const QString &name)
    {
        QQuickItem *i = nullptr;
        QTRY_VERIFY((i = in(w, name)));
        // Once the menu has finished opening.
        QTest::qWait(200);
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, centre_of(i));
        QTest::qWait(300);
    }
    void answer_alert(bool ok = true)
    {
        QTRY_VERIFY(item("alertOk"));
        QTest::qWait(200);
        QVERIFY(click(ok ? "alertOk" : "alertCancel"));
        QTRY_VERIFY(!item("alertOk"));
    }
    // Opens the main menu, its file menu, and clicks an entry there.
    void file_menu_item(const QString &name)
    {
        QVERIFY(click("menuButton"));
        QQuickItem *entry = nullptr;
        QTRY_VERIFY((entry = with_text(window_->contentItem(), object("fileMenu")->property("title").toString())));
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre_of(entry));
        menu_item(window_, name);
    }
    // The settings window while it is shown, and the window itself whether or not.
    static QQuickWindow *settings_window(bool visible_only = true)
    {
        for (QWindow *w : QGuiApplication::topLevelWindows())
            if (w->objectName() == "settingsWindow" && (!visible_only || w->isVisible()))
                return qobject_cast<QQuickWindow *>(w);
        return nullptr;
    }
    // Runs `act` with the scene helpers working on the settings window.
    template <typename F> void in_settings(F act)
    {
        QQuickWindow *main = window_;
        QQuickWindow *w = settings_window();
        QVERIFY(w);
        window_ = w;
        act();
        window_ = main;
    }
    void activate(QQuickWindow *w)
    {
        w->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    QRectF geometry(QQuickItem *host)
    {
        return QRectF(host->x(), host->y(), host->width(), host->height());
    }
    void shot_of(QQuickWindow *w, const QString &name)
    {
        const QString dir = qEnvironmentVariable("QELO_BUILD_DIR") + "/screenshots";
        QDir().mkpath(dir);
        QTest::qWait(200);
        w->grabWindow().save(dir + "/ui-" + name + ".png");
    }
    // Back to one empty tab in the main window and no other window.
    void reset_layout()
    {
        while (!widget_windows().isEmpty()) {
            const int n = widget_windows().size();
            QMetaObject::invokeMethod(widget_windows().first(), "close");
            QTest::qWait(50);
            if (item("alertOk"))
                answer_alert();
            QTRY_COMPARE(widget_windows().size(), n - 1);
        }
        QMetaObject::invokeMethod(view(), "close_all");
        QMetaObject::invokeMethod(view(), "new_tab", Q_ARG(QVariant, QStringLiteral("T")));
        view()->setProperty("locked", false);
        QTRY_COMPARE(tab_count(), 1);
    }
    QVariant call_view(const char *method, QQuickWindow *w = nullptr)
    {
        QVariant out;
        QMetaObject::invokeMethod(view(w), method, Q_RETURN_ARG(QVariant, out));
        return out;
    }
    void save_with_menu(const QString &item_name, const QString &path, QQuickWindow *w = nullptr)
    {
        QQuickWindow *win = w ? w : window_;
        next_path_ = path;
        button_menu_item(win, "tabViewMoreButton", item_name);
    }

};

#endif
