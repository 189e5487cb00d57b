#include "ioeventloop.h"

IoEventLoop::IoEventLoop(QObject *parent)
    : QEventLoop(parent)
{
}

void IoEventLoop::post(std::function<void()> fn)
{
    bool wake;
    {
        std::lock_guard<std::mutex> locker(lock_);
        posted_.push_back(std::move(fn));
        // One wake-up serves everything queued until it is handled.
        wake = posted_.size() == 1;
    }
    if (wake)
        QMetaObject::invokeMethod(this, "run_posted", Qt::QueuedConnection);
}

void IoEventLoop::run_posted()
{
    std::vector<std::function<void()>> batch;
    {
        std::lock_guard<std::mutex> locker(lock_);
        batch.swap(posted_);
    }
    for (const std::function<void()> &fn : batch)
        fn();
}
