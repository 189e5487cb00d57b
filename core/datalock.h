#ifndef DATALOCK_H
#define DATALOCK_H

#include <QMutex>

#include "tsanannotations.h"

// The hub's non-recursive data lock. A QMutex whose hand-overs are also
// announced to ThreadSanitizer, which cannot see inside the Qt library.
// Usable with std::lock_guard and std::unique_lock.
class DataLock
{
public:
    void lock()
    {
        mutex_.lock();
        QELO_HAPPENS_AFTER(this);
    }
    bool tryLock()
    {
        const bool got = mutex_.tryLock();
        if (got)
            QELO_HAPPENS_AFTER(this);
        return got;
    }
    bool try_lock() { return tryLock(); }
    void unlock()
    {
        QELO_HAPPENS_BEFORE(this);
        mutex_.unlock();
    }

private:
    QMutex mutex_;
};

#endif
