#include <QtTest>
#include <atomic>
#include <thread>
#include <vector>

#include "datahub.h"

// Rows of changing width arrive on another thread (so the channel lists are
// reshaped there) while the UI thread runs the attribute setters and
// getters. Run under ThreadSanitizer too (-DQELO_TSAN=ON).
class Tst_DataHubThreads : public QObject
{
    Q_OBJECT
private slots:
    void reshapesMeetSettersAndGetters()
    {
        DataHub hub;
        hub.set_size(512);
        std::atomic<bool> stop{false};
        std::atomic<long> written{0};

        std::thread writer([&]() {
            std::vector<float> row(16, 1.0f);
            int width = 1;
            while (!stop.load()) {
                // 20 rows of a new width switch the channel count each time.
                for (int i = 0; i < 21; ++i) {
                    hub.lockDatas();
                    hub.append_row(row.data(), width);
                    hub.unlockDatas();
                }
                width = width % 16 + 1;
                if (width == 1)
                    hub.clear();
                written.fetch_add(21);
            }
        });

        // Failures are counted, not asserted, so the writer is always
        // stopped before the hub goes away.
        long checks = 0;
        long bad = 0;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 1500) {
            for (int pos = -1; pos < 17; ++pos) {
                hub.set_scale(pos, 2.0);
                hub.set_offset(pos, 1.0);
                hub.set_xoffset(pos, 3);
                hub.set_decimal(pos, 2);
                hub.set_if_draws(pos, pos % 2);
                hub.set_color(pos, QColor(Qt::red));
                hub.set_name(pos, QStringLiteral("ch"));
                const double s = hub.scale(pos);
                bad += !(s == 1.0 || s == 2.0);
                const double o = hub.offset(pos);
                bad += !(o == 0.0 || o == 1.0);
                const int d = hub.decimal(pos);
                bad += !(d == 0 || d == 2 || d == -7);
                const int x = hub.xoffset(pos);
                bad += !(x == 0 || x == 3);
                const QColor c = hub.color(pos);
                bad += !(c == QColor(Qt::red) || c == QColor("#FFFFFF") || !c.isValid());
                hub.if_draws(pos);
                ++checks;
            }
            const QList<QString> names = hub.names();
            for (const QString &n : names)
                bad += !(n == "I" || n == "ch");
            bad += hub.rt_values().size() > 16;
            bad += hub.num_lines() > 16;
            // Readers of the rings hold the data lock, like the renderer.
            if (hub.trylockDatas()) {
                for (int c = 0; c < hub.num_lines(); ++c)
                    hub.value(c, 7);
                hub.unlockDatas();
            }
        }
        stop = true;
        writer.join();
        QCOMPARE(bad, 0L);
        QVERIFY(written.load() > 1000);
        QVERIFY(checks > 1000);
    }
};

QTEST_MAIN(Tst_DataHubThreads)
#include "tst_datahubthreads.moc"
