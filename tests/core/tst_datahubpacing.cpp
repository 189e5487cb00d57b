#include <QSignalSpy>
#include <QtTest>

#include "datahub.h"

// Frame rate stepping, the paint tick with its heart beat, and the
// collection delay timer.
class Tst_DataHubPacing : public QObject
{
    Q_OBJECT
private slots:
    void fpsStepsThroughAchievableRates()
    {
        DataHub hub;
        QCOMPARE(hub.real_fps(), 30);
        hub.fps_up();
        QCOMPARE(hub.fps(), 31);
        hub.fps_up();
        QCOMPARE(hub.fps(), 32);
        hub.set_fps(30);
        hub.fps_down();
        QCOMPARE(hub.fps(), 29);
        hub.set_fps(60);
        hub.fps_up();
        QCOMPARE(hub.fps(), 62);
        hub.fps_up();
        QCOMPARE(hub.fps(), 62);
        hub.set_fps(10);
        hub.fps_down();
        QCOMPARE(hub.fps(), 10);
        hub.set_fps(11);
        hub.fps_down();
        QCOMPARE(hub.fps(), 10);
        // From the extremes of the accepted range the steps land inside.
        hub.set_fps(1000);
        hub.fps_up();
        QCOMPARE(hub.fps(), 62);
        hub.set_fps(1);
        hub.fps_down();
        QCOMPARE(hub.fps(), 10);
    }

    void fpsOutsideRangeIgnored()
    {
        DataHub hub;
        QSignalSpy spy(&hub, SIGNAL(fps_changed()));
        hub.set_fps(0);
        hub.set_fps(-4);
        hub.set_fps(1001);
        hub.set_fps(30);
        QCOMPARE(hub.fps(), 30);
        QCOMPARE(spy.count(), 0);
        hub.set_fps(45);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(hub.real_fps(), 45); // 1000/22 = 45
        hub.set_fps(70);
        QCOMPARE(hub.real_fps(), 71); // 1000/14 = 71
    }

    void fpsRestartsRunningTimer()
    {
        DataHub hub;
        hub.start_paint();
        QCOMPARE(hub.paint_timer()->interval(), 33);
        hub.set_fps(50);
        QVERIFY(hub.paint_timer()->isActive());
        QCOMPARE(hub.paint_timer()->interval(), 20);
        hub.stop_paint();
        hub.set_fps(25);
        QVERIFY(!hub.paint_timer()->isActive());
    }

    void paintTickClearsHeartBeatEveryHalfFps()
    {
        DataHub hub; // fps 30: checked every 15 ticks
        QSignalSpy beat(&hub, SIGNAL(heart_beat_changed()));
        QSignalSpy eff(&hub, SIGNAL(effective_size_changed()));
        QSignalSpy upd(&hub, SIGNAL(need_update()));
        hub.set_heart_beat(true);
        beat.clear();
        for (int i = 0; i < 14; ++i)
            hub.timer_update();
        QVERIFY(hub.heart_beat());
        QCOMPARE(beat.count(), 0);
        hub.timer_update();
        QVERIFY(!hub.heart_beat());
        QCOMPARE(beat.count(), 1);
        QCOMPARE(eff.count(), 15);
        QCOMPARE(upd.count(), 15);
        // A beat right after a check lives for the next 15 ticks.
        hub.set_heart_beat(true);
        beat.clear();
        for (int i = 0; i < 14; ++i)
            hub.timer_update();
        QVERIFY(hub.heart_beat());
        hub.timer_update();
        QVERIFY(!hub.heart_beat());
        // No beat: the check emits nothing.
        beat.clear();
        for (int i = 0; i < 30; ++i)
            hub.timer_update();
        QCOMPARE(beat.count(), 0);
    }

    void paintTimerDrivesTicks()
    {
        DataHub hub;
        hub.set_fps(100);
        QSignalSpy upd(&hub, SIGNAL(need_update()));
        hub.set_heart_beat(true);
        hub.start_paint();
        QVERIFY(!hub.heart_beat());
        QTRY_VERIFY_WITH_TIMEOUT(upd.count() >= 5, 5000);
        QSignalSpy quiet(&hub, SIGNAL(need_update()));
        hub.update_all();
        QCOMPARE(quiet.count(), 0);
        hub.stop_paint();
        QCOMPARE(quiet.count(), 1);
        hub.update_all();
        QCOMPARE(quiet.count(), 2);
    }

    void plainWritesAlwaysSignal()
    {
        DataHub hub;
        QSignalSpy dec(&hub, SIGNAL(global_decimal_changed()));
        QSignalSpy tmo(&hub, SIGNAL(timeout_ms_changed()));
        QSignalSpy ins(&hub, SIGNAL(use_instance_changed()));
        hub.set_global_decimal(6);
        hub.set_timeout_ms(0);
        hub.set_use_instance(false);
        QCOMPARE(dec.count() + tmo.count() + ins.count(), 3);
    }

    void bufferTimerWaitsTheRestOfTheDelay()
    {
        DataHub hub;
        hub.set_timeout_ms(300);
        hub.on_start_buffer_timer();
        // No chunk time yet: a null time is long past, so no timer is armed.
        QVERIFY(!hub.buffer_timer()->isActive());
        QVERIFY(hub.buffer_timer()->isSingleShot());
        hub.on_stop_buffer_timer();
        QVERIFY(!hub.buffer_timer()->isActive());
    }
};

QTEST_MAIN(Tst_DataHubPacing)
#include "tst_datahubpacing.moc"
