#include "recordingsink.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// A pipe takes a write of at most this many bytes whole or not at all.
constexpr size_t kAtomicWrite = 4096;
}

qint64 RecordingSink::steady_ms()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

RecordingSink::~RecordingSink()
{
    close();
}

void RecordingSink::set_errno_error(const char *what)
{
    error_ = QString::fromLatin1(what).arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
}

bool RecordingSink::open(const QString &path, QString *error)
{
    path_ = path;
    const QByteArray name = QFile::encodeName(path);
#ifndef Q_OS_WIN
    // Opened blocking (a pipe waits for its reader, as before), then made
    // non-blocking so that a stalled reader cannot hold the writer.
    fd_ = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
        struct stat st;
        pipe_like_ = ::fstat(fd_, &st) == 0 && !S_ISREG(st.st_mode);
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
    }
#else
    file_ = std::fopen(name.constData(), "wb");
#endif
    if (!is_open()) {
        set_errno_error("cannot write %1: %2");
        *error = error_;
        return false;
    }
    last_progress_ms_ = steady_ms();
    return true;
}

bool RecordingSink::is_open() const
{
#ifndef Q_OS_WIN
    return fd_ >= 0;
#else
    return file_ != nullptr;
#endif
}

bool RecordingSink::drain()
{
#ifndef Q_OS_WIN
    while (out_done_ < out_.size()) {
        size_t end = out_.size();
        if (pipe_like_) {
            while (unit_next_ < unit_ends_.size() && unit_ends_[unit_next_] <= out_done_)
                ++unit_next_;
            size_t k = unit_next_;
            while (k < unit_ends_.size() && unit_ends_[k] - out_done_ <= kAtomicWrite)
                ++k;
            if (k > unit_next_)
                end = unit_ends_[k - 1];
            else if (unit_next_ < unit_ends_.size())
                end = unit_ends_[unit_next_];
        }
        const ssize_t n = ::write(fd_, out_.data() + out_done_, end - out_done_);
        if (n > 0) {
            out_done_ += size_t(n);
            last_progress_ms_ = steady_ms();
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (give_up_) {
                error_ = QStringLiteral("%1 stopped taking data: it ends with the last whole %2 it took")
                             .arg(path_, QLatin1String(unit_));
                return false;
            }
            struct pollfd p = {fd_, POLLOUT, 0};
            ::poll(&p, 1, 100);
            continue;
        }
        set_errno_error("writing %1 failed: %2");
        return false;
    }
#else
    if (out_done_ < out_.size()) {
        if (std::fwrite(out_.data() + out_done_, 1, out_.size() - out_done_, file_) != out_.size() - out_done_
            || std::fflush(file_) != 0) {
            set_errno_error("writing %1 failed: %2");
            return false;
        }
    }
#endif
    out_.clear();
    out_done_ = 0;
    unit_ends_.clear();
    unit_next_ = 0;
    return true;
}

void RecordingSink::wait_then_give_up(const std::atomic<bool> &done, int grace_ms, bool hard)
{
    const qint64 start = steady_ms();
    last_progress_ms_ = std::max(last_progress_ms_.load(), start);
    while (!done) {
        const qint64 now = steady_ms();
        if ((hard && now - start >= grace_ms) || now - last_progress_ms_ >= grace_ms)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    give_up();
}

bool RecordingSink::close()
{
    if (!is_open())
        return true;
#ifndef Q_OS_WIN
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
#else
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
#endif
    if (!closed)
        set_errno_error("writing %1 failed: %2");
    return closed;
}
