#include <QtTest>

#include <QCursor>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QWindow>

#include "mouse.h"

class Tst_Mouse : public QObject
{
    Q_OBJECT

    QWindow *window_ = nullptr;

    void press() { QTest::mousePress(window_, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10)); }
    void release() { QTest::mouseRelease(window_, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10)); }

private slots:
    void initTestCase()
    {
        window_ = new QWindow();
        window_->setGeometry(0, 0, 200, 200);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
    }
    void cleanupTestCase() { delete window_; }
    void cleanup()
    {
        if (QGuiApplication::mouseButtons() != Qt::NoButton)
            release();
    }

    void startValues()
    {
        Mouse mouse;
        QCOMPARE(mouse.active(), false);
        QCOMPARE(mouse.peroid(), 10);
        QCOMPARE(mouse.position(), QPoint(0, 0));
        QCOMPARE(mouse.buttons(), Qt::MouseButtons(Qt::NoButton));
        QCOMPARE(mouse.pressed(), false);
        QCOMPARE(mouse.mouseX(), 0);
        QCOMPARE(mouse.mouseY(), 0);
    }

    void inactiveKeepsOldStateButPressedIsLive()
    {
        Mouse mouse;
        QSignalSpy position(&mouse, &Mouse::position_changed);
        QSignalSpy buttons(&mouse, &Mouse::buttons_changed);
        QCursor::setPos(50, 60);
        press();
        QCOMPARE(mouse.pressed(), true);
        QTest::qWait(40);
        QCOMPARE(mouse.buttons(), Qt::MouseButtons(Qt::NoButton));
        QCOMPARE(mouse.position(), QPoint(0, 0));
        QCOMPARE(position.count(), 0);
        QCOMPARE(buttons.count(), 0);
        release();
        QCOMPARE(mouse.pressed(), false);
    }

    void activatingPollsAtOnceThenOnTheTimer()
    {
        Mouse mouse;
        QSignalSpy active(&mouse, &Mouse::active_changed);
        QSignalSpy position(&mouse, &Mouse::position_changed);
        QCursor::setPos(33, 44);
        mouse.set_active(true);
        QCOMPARE(active.count(), 1);
        QCOMPARE(position.count(), 1);
        QCOMPARE(mouse.position(), QPoint(33, 44));
        QCOMPARE(mouse.mouseX(), 33);
        QCOMPARE(mouse.mouseY(), 44);
        mouse.set_active(true);
        QCOMPARE(active.count(), 1);

        QCursor::setPos(70, 80);
        QTRY_COMPARE(mouse.position(), QPoint(70, 80));
        QCOMPARE(position.count(), 2);
        QTest::qWait(40);  // an unchanged position is not announced again
        QCOMPARE(position.count(), 2);
    }

    void buttonsFollowWhileActive()
    {
        Mouse mouse;
        mouse.set_active(true);
        QSignalSpy pressed(&mouse, &Mouse::pressed_changed);
        QSignalSpy buttons(&mouse, &Mouse::buttons_changed);
        press();
        QTRY_COMPARE(mouse.buttons(), Qt::MouseButtons(Qt::LeftButton));
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(buttons.count(), 1);
        QTest::qWait(40);
        QCOMPARE(pressed.count(), 1);
        release();
        QTRY_COMPARE(mouse.buttons(), Qt::MouseButtons(Qt::NoButton));
        QCOMPARE(pressed.count(), 2);
        QCOMPARE(buttons.count(), 2);
    }

    void switchingOffWhileHeldClearsTheState()
    {
        Mouse mouse;
        mouse.set_active(true);
        press();
        QTRY_COMPARE(mouse.buttons(), Qt::MouseButtons(Qt::LeftButton));
        QSignalSpy pressed(&mouse, &Mouse::pressed_changed);
        QSignalSpy buttons(&mouse, &Mouse::buttons_changed);
        QSignalSpy active(&mouse, &Mouse::active_changed);
        mouse.set_active(false);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(buttons.count(), 1);
        QCOMPARE(active.count(), 1);
        QCOMPARE(mouse.buttons(), Qt::MouseButtons(Qt::NoButton));
        QCOMPARE(mouse.pressed(), true);  // still held
        QTest::qWait(40);
        QCOMPARE(buttons.count(), 1);  // no more polling

        // Switching off with nothing held announces nothing but active.
        release();
        mouse.set_active(true);
        pressed.clear();
        buttons.clear();
        mouse.set_active(false);
        QCOMPARE(pressed.count(), 0);
        QCOMPARE(buttons.count(), 0);
    }

    void peroidAndPosition()
    {
        Mouse mouse;
        QSignalSpy peroid(&mouse, &Mouse::peroid_changed);
        mouse.set_peroid(10);
        QCOMPARE(peroid.count(), 0);
        mouse.set_peroid(25);
        QCOMPARE(peroid.count(), 1);
        QCOMPARE(mouse.peroid(), 25);
        QCursor::setPos(5, 6);
        mouse.set_active(true);
        QCursor::setPos(7, 8);
        QTRY_COMPARE(mouse.position(), QPoint(7, 8));

        Mouse idle;
        QSignalSpy position(&idle, &Mouse::position_changed);
        QVERIFY(idle.setProperty("position", QPoint(3, 4)));
        QCOMPARE(position.count(), 1);
        QCOMPARE(idle.property("mouseX").toInt(), 3);
        QCOMPARE(idle.property("mouseY").toInt(), 4);
        idle.set_position(QPoint(3, 4));
        QCOMPARE(position.count(), 1);
    }

    void cursorShapeIsPushedEveryTime()
    {
        Mouse mouse;
        QSignalSpy shape(&mouse, &Mouse::cursor_shape_changed);
        QVERIFY(mouse.setProperty("cursorShape", QVariant::fromValue(Qt::SizeHorCursor)));
        mouse.set_cursor_shape(Qt::SizeHorCursor);
        QCOMPARE(shape.count(), 2);
        QCOMPARE(mouse.cursorShape(), Qt::SizeHorCursor);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::SizeHorCursor);
        QGuiApplication::restoreOverrideCursor();
        QVERIFY(QGuiApplication::overrideCursor());  // the second push is still there
        QGuiApplication::restoreOverrideCursor();
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(Tst_Mouse)
#include "tst_mouse.moc"
