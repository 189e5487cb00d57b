#include <QtTest>
#include <atomic>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "ioeventloop.h"

// The I/O thread's loop with work handed to it from other threads: what
// runs where, in which order, what is lost or kept. Run under
// ThreadSanitizer too (scripts/tsan).
class Tst_IoEventLoop : public QObject
{
    Q_OBJECT

private slots:
    // Several threads post while the loop starts and runs: every function
    // runs once, on the loop's thread, in each poster's order.
    void posts_from_threads_meet_the_loop()
    {
        constexpr int kPosters = 3;
        constexpr int kEach = 2000;
        std::atomic<IoEventLoop *> loop{nullptr};
        std::atomic<bool> release{false};
        std::vector<std::pair<int, int>> ran;
        bool all_on_loop_thread = true;
        std::thread io([&] {
            IoEventLoop l;
            const std::thread::id self = std::this_thread::get_id();
            l.post([&] { all_on_loop_thread = all_on_loop_thread && std::this_thread::get_id() == self; });
            loop = &l;
            while (!release)
                std::this_thread::yield();
            l.exec();
        });
        while (!loop)
            std::this_thread::yield();
        IoEventLoop *l = loop;
        std::vector<std::thread> posters;
        for (int p = 0; p < kPosters; ++p) {
            posters.emplace_back([&, p] {
                const std::thread::id io_id = io.get_id();
                for (int i = 0; i < kEach; ++i) {
                    l->post([&, p, i, io_id] {
                        all_on_loop_thread = all_on_loop_thread && std::this_thread::get_id() == io_id;
                        ran.emplace_back(p, i);
                    });
                    if (i == kEach / 2)
                        release = true;
                }
            });
        }
        for (std::thread &t : posters)
            t.join();
        l->post([l] { l->quit(); });
        io.join();

        QVERIFY(all_on_loop_thread);
        QCOMPARE(int(ran.size()), kPosters * kEach);
        std::vector<int> next(kPosters, 0);
        for (const auto &r : ran) {
            QCOMPARE(r.second, next[size_t(r.first)]);
            ++next[size_t(r.first)];
        }
    }

    // A function may post the next one: it runs in a later turn of the
    // loop, not lost because the queue was being emptied.
    void posted_from_a_posted_function()
    {
        IoEventLoop loop;
        int steps = 0;
        std::function<void()> step = [&] {
            if (++steps < 50)
                loop.post(step);
            else
                loop.quit();
        };
        loop.post(step);
        loop.exec();
        QCOMPARE(steps, 50);
    }

    // Functions still queued when the loop goes away are dropped: never
    // run, and what they hold is freed.
    void queued_at_destruction_dropped()
    {
        auto held = std::make_shared<int>(7);
        bool ran = false;
        {
            IoEventLoop loop;
            loop.post([held, &ran] { ran = *held == 7; });
            loop.post([held, &ran] { ran = true; });
            QCOMPARE(held.use_count(), 3L);
        }
        QCOMPARE(held.use_count(), 1L);
        QVERIFY(!ran);
    }
};

QTEST_MAIN(Tst_IoEventLoop)
#include "tst_ioeventloop.moc"
