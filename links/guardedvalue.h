#ifndef GUARDEDVALUE_H
#define GUARDEDVALUE_H

#include <mutex>
#include <utility>

// A link parameter written by the UI thread and read by the I/O thread.
template <typename T>
class GuardedValue
{
public:
    explicit GuardedValue(T value = T()) : value_(std::move(value)) {}

    T get() const
    {
        std::lock_guard<std::mutex> locker(lock_);
        return value_;
    }
    void set(T value)
    {
        std::lock_guard<std::mutex> locker(lock_);
        value_ = std::move(value);
    }

private:
    mutable std::mutex lock_;
    T value_;
};

#endif
