#include <QSignalSpy>
#include <QtTest>
#include <vector>

#include "datahub.h"

// The channel store: ring layout, re-layout, channel count adaptation and
// the per-channel attributes.
class Tst_DataHub : public QObject
{
    Q_OBJECT

    static void rows(DataHub &hub, int count, int width, float start = 0.0f)
    {
        hub.lockDatas();
        std::vector<float> row(static_cast<size_t>(width));
        for (int r = 0; r < count; ++r) {
            for (int c = 0; c < width; ++c)
                row[size_t(c)] = start + float(r) + 100.0f * float(c);
            hub.append_row(row);
        }
        hub.unlockDatas();
    }
    static std::vector<float> ring0(const DataHub &hub)
    {
        const float *r = hub.ring(0);
        return std::vector<float>(r, r + hub.size());
    }

private slots:
    void firstRowCreatesChannelsWithDefaults()
    {
        DataHub hub;
        hub.set_size(1000);
        QSignalSpy lines(&hub, SIGNAL(num_lines_changed()));
        QSignalSpy eff(&hub, SIGNAL(effective_size_changed()));
        rows(hub, 1, 4);
        QCOMPARE(hub.num_lines(), 4);
        QCOMPARE(lines.count(), 1);
        QCOMPARE(eff.count(), 0);
        QCOMPARE(hub.effective_size(), 1);
        QCOMPARE(hub.head(), 1.0);
        for (int c = 0; c < 4; ++c) {
            QCOMPARE(hub.names().at(c), QString("I"));
            QCOMPARE(hub.color(c), QColor("#FFFFFF"));
            QCOMPARE(hub.scale(c), 1.0);
            QCOMPARE(hub.offset(c), 0.0);
            QCOMPARE(hub.xoffset(c), 0);
            QCOMPARE(hub.decimal(c), -7);
            QVERIFY(hub.if_draws(c));
        }
        QCOMPARE(hub.rt_values(), (QList<qreal>{0.0, 100.0, 200.0, 300.0}));
    }

    void rowsWithoutRingOrValuesAreDropped()
    {
        DataHub hub;
        rows(hub, 3, 2);
        QCOMPARE(hub.num_lines(), 0);
        QCOMPARE(hub.effective_size(), 0);
        hub.set_size(10);
        hub.lockDatas();
        hub.append_row(nullptr, 0);
        hub.unlockDatas();
        QCOMPARE(hub.num_lines(), 0);
        QCOMPARE(hub.head(), 0.0);
        // Garbage rows wider than the channel limit are never taken.
        std::vector<float> wide(DataHub::kMaxChannels + 1, 1.0f);
        for (int i = 0; i < 25; ++i) {
            hub.lockDatas();
            hub.append_row(wide);
            hub.unlockDatas();
        }
        QCOMPARE(hub.num_lines(), 0);
        rows(hub, 1, DataHub::kMaxChannels);
        QCOMPARE(hub.num_lines(), DataHub::kMaxChannels);
    }

    void mismatchNeedsTwentyRows()
    {
        DataHub hub;
        hub.set_size(100);
        rows(hub, 5, 4);
        rows(hub, 19, 3);
        QCOMPARE(hub.num_lines(), 4);
        QCOMPARE(hub.effective_size(), 5);
        rows(hub, 1, 3, 50.0f);
        QCOMPARE(hub.num_lines(), 3);
        QCOMPARE(hub.effective_size(), 6);
        QCOMPARE(hub.rt_values(), (QList<qreal>{50.0, 150.0, 250.0}));

        // One agreeing row in between restarts the count.
        rows(hub, 10, 4);
        rows(hub, 1, 3);
        rows(hub, 19, 4);
        QCOMPARE(hub.num_lines(), 3);
        rows(hub, 1, 4);
        QCOMPARE(hub.num_lines(), 4);
    }

    void growKeepsTimeOrder()
    {
        DataHub hub;
        hub.set_size(10);
        rows(hub, 14, 1, 1.0f); // samples 1..14, full ring, head 4
        QCOMPARE(hub.head(), 4.0);
        QSignalSpy size(&hub, SIGNAL(size_changed()));
        QSignalSpy eff(&hub, SIGNAL(effective_size_changed()));
        hub.set_size(20);
        QCOMPARE(size.count(), 1);
        QCOMPARE(eff.count(), 1);
        QCOMPARE(hub.head(), 0.0);
        QCOMPARE(hub.effective_size(), 10);
        std::vector<float> want(10, 0.0f);
        for (int i = 5; i <= 14; ++i)
            want.push_back(float(i));
        QCOMPARE(ring0(hub), want);
        QCOMPARE(hub.index_ramp().size(), size_t(20));
        QCOMPARE(hub.index_ramp().back(), 19.0f);
    }

    void shrinkKeepsNewest_data()
    {
        QTest::addColumn<int>("written");
        QTest::addColumn<std::vector<float>>("want");
        // ring of 10 holding samples 0..n-1 at index = sample % 10
        QTest::newRow("head 7") << 17 << std::vector<float>{12, 13, 14, 15, 16};
        QTest::newRow("head 3") << 13 << std::vector<float>{8, 9, 10, 11, 12};
    }
    void shrinkKeepsNewest()
    {
        QFETCH(int, written);
        QFETCH(std::vector<float>, want);
        DataHub hub;
        hub.set_size(10);
        rows(hub, written, 1, 0.0f);
        hub.set_size(5);
        QCOMPARE(ring0(hub), want);
        QCOMPARE(hub.head(), 0.0);
        QCOMPARE(hub.effective_size(), 5);
        // The next sample overwrites the oldest.
        rows(hub, 1, 1, 99.0f);
        QCOMPARE(hub.value(0, 0), want[1]);
        QCOMPARE(hub.value(0, 4), 99.0f);
    }

    void sizeZeroDropsChannels()
    {
        DataHub hub;
        hub.set_size(10);
        rows(hub, 3, 2);
        hub.set_size(0);
        QCOMPARE(hub.num_lines(), 0);
        QCOMPARE(hub.effective_size(), 0);
        QVERIFY(hub.names().isEmpty());
        hub.set_size(8);
        rows(hub, 2, 3);
        QCOMPARE(hub.num_lines(), 3);
        QCOMPARE(ring0(hub).size(), size_t(8));
    }

    void maxSizeLimitsSize()
    {
        DataHub hub;
        QCOMPARE(hub.max_size(), 50000);
        hub.set_size(1000);
        QSignalSpy maxs(&hub, SIGNAL(max_size_changed()));
        hub.set_max_size(100);
        QCOMPARE(hub.size(), 100);
        QCOMPARE(maxs.count(), 1);
        hub.set_max_size(0);
        QCOMPARE(hub.max_size(), 100);
        QCOMPARE(maxs.count(), 1);
        hub.set_max_size(-5);
        QCOMPARE(hub.max_size(), 100);
        // Raising the limit leaves size alone.
        hub.set_max_size(500);
        QCOMPARE(hub.size(), 100);
    }

    void valueAppliesScaleOffsetAndXoffset()
    {
        DataHub hub;
        hub.set_size(10);
        rows(hub, 10, 1, 0.0f); // full ring, head 0, sample k at k
        QCOMPARE(hub.value(0, 0), 0.0f);
        QCOMPARE(hub.value(0, 9), 9.0f);
        hub.set_scale(0, 2.0);
        hub.set_offset(0, 1.0);
        QCOMPARE(hub.value(0, 3), 7.0f);
        hub.set_scale(0, 1.0);
        hub.set_offset(0, 0.0);
        hub.set_xoffset(0, -3);
        QCOMPARE(hub.xoffset(0), -3);
        QCOMPARE(hub.value(0, 0), 3.0f);
        hub.set_xoffset(0, 23);
        QCOMPARE(hub.xoffset(0), 3);
        QCOMPARE(hub.value(0, 0), 7.0f);
        QCOMPARE(hub.value(1, 0), 0.0f);
        QCOMPARE(hub.value(-1, 0), 0.0f);
        hub.close();
        QVERIFY(hub.closed());
        QCOMPARE(hub.value(0, 5), 0.0f);
    }

    void nonChannelIndexesAreIgnored()
    {
        DataHub hub;
        hub.set_size(10);
        hub.set_theme_color(QColor("#123456"));
        rows(hub, 1, 2);
        QSignalSpy any(&hub, SIGNAL(scales_changed()));
        QSignalSpy names(&hub, SIGNAL(name_changed(int, QString)));
        QSignalSpy colors(&hub, SIGNAL(color_changed(int, QColor)));
        QSignalSpy draws(&hub, SIGNAL(if_draws_changed()));
        for (int pos : {-1, 2, 1000}) {
            hub.set_scale(pos, 5);
            hub.set_offset(pos, 5);
            hub.set_xoffset(pos, 5);
            hub.set_decimal(pos, 5);
            hub.set_if_draws(pos, false);
            hub.set_color(pos, Qt::red);
            hub.set_name(pos, "x");
            QCOMPARE(hub.scale(pos), 1.0);
            QCOMPARE(hub.offset(pos), 0.0);
            QCOMPARE(hub.xoffset(pos), 0);
            QCOMPARE(hub.decimal(pos), 0);
            QCOMPARE(hub.if_draws(pos), false);
            QCOMPARE(hub.color(pos), QColor("#123456"));
        }
        QCOMPARE(any.count() + names.count() + colors.count() + draws.count(), 0);
        QCOMPARE(hub.names(), (QList<QString>{"I", "I"}));
    }

    void settersStoreAndSignal()
    {
        DataHub hub;
        hub.set_size(10);
        rows(hub, 1, 2);
        QSignalSpy visible(&hub, SIGNAL(need_update_visible_count()));
        QSignalSpy draws(&hub, SIGNAL(if_draws_changed()));
        QSignalSpy names(&hub, SIGNAL(name_changed(int, QString)));
        QSignalSpy colors(&hub, SIGNAL(color_changed(int, QColor)));
        QSignalSpy decimals(&hub, SIGNAL(decimals_changed()));
        hub.set_if_draws(1, false);
        QCOMPARE(visible.count(), 1);
        QCOMPARE(draws.count(), 1);
        QVERIFY(!hub.if_draws(1));
        hub.set_name(1, "volt");
        QCOMPARE(names.takeFirst(), (QList<QVariant>{1, QString("volt")}));
        hub.set_color(0, QColor("#00ff00"));
        QCOMPARE(colors.count(), 1);
        QCOMPARE(hub.color(0), QColor("#00ff00"));
        hub.set_decimal(0, 3);
        QCOMPARE(hub.decimal(0), 3);
        QCOMPARE(decimals.count(), 1);
        QSignalSpy global(&hub, SIGNAL(global_decimal_changed()));
        hub.reset_decimals();
        QCOMPARE(hub.decimal(0), -6);
        QCOMPARE(hub.decimal(1), -6);
        QCOMPARE(global.count(), 1);
        QCOMPARE(decimals.count(), 1);
    }

    void clearRemovesEverything()
    {
        DataHub hub;
        hub.set_size(10);
        rows(hub, 4, 3);
        QSignalSpy eff(&hub, SIGNAL(effective_size_changed()));
        hub.clear();
        QCOMPARE(hub.num_lines(), 0);
        QCOMPARE(hub.effective_size(), 0);
        QCOMPARE(eff.count(), 1);
        QVERIFY(hub.rt_values().isEmpty());
        QCOMPARE(hub.ring(0), nullptr);
    }

    void initialValues()
    {
        DataHub hub;
        QCOMPARE(hub.size(), 0);
        QCOMPARE(hub.highlighted_line(), -5);
        QVERIFY(!hub.theme_color().isValid());
        QCOMPARE(hub.fps(), 30);
        QCOMPARE(hub.global_decimal(), 6);
        QCOMPARE(hub.timeout_ms(), 0);
        QVERIFY(!hub.heart_beat());
        QVERIFY(!hub.use_instance());
        QVERIFY(hub.text_buffer());
        QVERIFY(hub.out_buffer());
        QVERIFY(hub.data_engine_loader());
    }
};

QTEST_MAIN(Tst_DataHub)
#include "tst_datahub.moc"
