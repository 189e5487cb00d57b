#ifndef IOEVENTLOOP_H
#define IOEVENTLOOP_H

#include <QEventLoop>
#include <functional>
#include <mutex>
#include <vector>

// A link's I/O thread loop, made and run on that thread. Other threads hand
// it work with post(): the functions wait in a queue of its own under a
// std::mutex, and only a wake-up goes through Qt's queue of posted events,
// which sits inside the uninstrumented Qt library, where ThreadSanitizer
// could not see the hand-over of what the functions captured.
class IoEventLoop : public QEventLoop
{
    Q_OBJECT
public:
    explicit IoEventLoop(QObject *parent = nullptr);

    // Runs fn on the loop's thread, in posting order. Functions still
    // queued when the loop is destroyed are dropped.
    void post(std::function<void()> fn);

private slots:
    void run_posted();

private:
    std::mutex lock_;
    std::vector<std::function<void()>> posted_;
};

#endif
