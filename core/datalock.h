#ifndef DATALOCK_H
#define DATALOCK_H

#include <QMutex>

#if defined(__SANITIZE_THREAD__)
#define QELO_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define QELO_TSAN 1
#endif
#endif

#ifdef QELO_TSAN
extern "C" void __tsan_acquire(void *addr);
extern "C" void __tsan_release(void *addr);
#endif

// The hub's non-recursive data lock. A QMutex whose hand-overs are also
// announced to ThreadSanitizer, which cannot see inside the Qt library.
// Usable with std::lock_guard and std::unique_lock.
class DataLock
{
public:
    void lock()
    {
        mutex_.lock();
#ifdef QELO_TSAN
        __tsan_acquire(this);
#endif
    }
    bool tryLock()
    {
        const bool got = mutex_.tryLock();
#ifdef QELO_TSAN
        if (got)
            __tsan_acquire(this);
#endif
        return got;
    }
    bool try_lock() { return tryLock(); }
    void unlock()
    {
#ifdef QELO_TSAN
        __tsan_release(this);
#endif
        mutex_.unlock();
    }

private:
    QMutex mutex_;
};

#endif
