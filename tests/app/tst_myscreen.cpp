#include <QtTest>

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <xcb/xcb.h>

#include "myscreen.h"

namespace {

// What a window manager publishes as the usable desktop area; the screen's
// available geometry follows it.
bool set_work_area(const QRect &area)
{
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return false;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const char name[] = "_NET_WORKAREA";
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
    if (!atom) {
        xcb_disconnect(c);
        return false;
    }
    const uint32_t values[4] = {uint32_t(area.x()), uint32_t(area.y()), uint32_t(area.width()),
                                uint32_t(area.height())};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, atom->atom, XCB_ATOM_CARDINAL, 32, 4, values);
    free(atom);
    xcb_flush(c);
    xcb_disconnect(c);
    return true;
}

}

class Tst_MyScreen : public QObject
{
    Q_OBJECT

private slots:
    void withoutScreenEverythingIsZero()
    {
        MyScreen none;
        QCOMPARE(none.screen(), nullptr);
        QCOMPARE(none.x(), 0);
        QCOMPARE(none.y(), 0);
        QCOMPARE(none.width(), 0);
        QCOMPARE(none.height(), 0);
        QCOMPARE(none.property("width").toInt(), 0);

        MyScreen cleared(QGuiApplication::primaryScreen());
        QSignalSpy changed(&cleared, &MyScreen::geometryChanged);
        cleared.set_screen(nullptr);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(cleared.height(), 0);
    }

    void publishesAvailableGeometry()
    {
        QScreen *screen = QGuiApplication::primaryScreen();
        MyScreen wrapper(screen);
        QCOMPARE(wrapper.screen(), screen);
        QCOMPARE(QRect(wrapper.x(), wrapper.y(), wrapper.width(), wrapper.height()), screen->availableGeometry());
        QSignalSpy changed(&wrapper, &MyScreen::geometryChanged);
        wrapper.handleAvailableGeometryChanged(QRect());
        QCOMPARE(changed.count(), 1);
    }

    void followsAvailableGeometryChanges()
    {
        QScreen *screen = QGuiApplication::primaryScreen();
        MyScreen wrapper(screen);
        MyScreen detached(screen);
        detached.set_screen(nullptr);
        QSignalSpy changed(&wrapper, &MyScreen::geometryChanged);
        QSignalSpy detached_changed(&detached, &MyScreen::geometryChanged);

        const QRect full = screen->geometry();
        const QRect panel(full.x() + 50, full.y() + 30, full.width() - 50, full.height() - 30);
        QGuiApplication::sync();
        // Now and then a root property notification does not reach Qt;
        // announce the work area again until Qt has seen it.
        for (int attempt = 0; attempt < 5 && screen->availableGeometry() != panel; ++attempt) {
            QVERIFY(set_work_area(panel));
            if (QTest::qWaitFor([&]() { return screen->availableGeometry() == panel; }, 1000))
                break;
        }
        QCOMPARE(screen->availableGeometry(), panel);
        QVERIFY(changed.count() >= 1);
        QCOMPARE(QRect(wrapper.x(), wrapper.y(), wrapper.width(), wrapper.height()), panel);
        QCOMPARE(detached_changed.count(), 0);
        set_work_area(full);
    }

    void rewrappingStopsFollowingTheOldScreen()
    {
        QScreen *screen = QGuiApplication::primaryScreen();
        MyScreen wrapper(screen);
        QSignalSpy changed(&wrapper, &MyScreen::geometryChanged);
        QMetaObject::invokeMethod(screen, "availableGeometryChanged", Q_ARG(QRect, QRect(1, 2, 3, 4)));
        QCOMPARE(changed.count(), 1);
        wrapper.set_screen(screen);  // rewrapping the same screen does not double the notices
        QMetaObject::invokeMethod(screen, "availableGeometryChanged", Q_ARG(QRect, QRect(1, 2, 3, 4)));
        QCOMPARE(changed.count(), 3);
        wrapper.set_screen(nullptr);
        QMetaObject::invokeMethod(screen, "availableGeometryChanged", Q_ARG(QRect, QRect(1, 2, 3, 4)));
        QCOMPARE(changed.count(), 4);
    }
};

QTEST_MAIN(Tst_MyScreen)
#include "tst_myscreen.moc"
