#include "csvrowwriter.h"

#include <QDateTime>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "datahub.h"

namespace {

// A pipe takes a write of at most this many bytes whole or not at all.
constexpr size_t kAtomicWrite = 4096;
constexpr size_t kWriteChunk = size_t(1) << 20;

qint64 steady_ms()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}

CsvRowWriter::CsvRowWriter(DataHub *hub)
    : hub_(hub)
{
}

CsvRowWriter::~CsvRowWriter()
{
    finish();
}

bool CsvRowWriter::open(const QString &path, QString *error)
{
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
    const bool opened = fd_ >= 0;
#else
    file_ = std::fopen(name.constData(), "wb");
    const bool opened = file_ != nullptr;
#endif
    if (!opened) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    path_ = path;
    start_ms_ = QDateTime::currentMSecsSinceEpoch();
    time_format_ = RowTimeFormat(time_column_, start_ms_);
    writer_ = std::thread([this]() { writer_loop(); });
    hub_->set_row_tap([this](const float *values, int count) { on_row(values, count); });
    hub_->set_intake_gate([this]() { wait_for_room(); });
    return true;
}

void CsvRowWriter::on_row(const float *values, int count)
{
    // Runs with the hub's data lock held, so the channel attributes read
    // here belong to the row. Never waits: the intake gate does, unlocked.
    std::lock_guard<std::mutex> locker(lock_);
    if (limit_ > 0 && rows_.load(std::memory_order_relaxed) >= limit_)
        return;
    // A file that failed takes nothing more; the recorder stops on it.
    if (writer_done_)
        return;
    if (count != width_) {
        width_ = count;
        Header h;
        QStringList names = hub_->names().mid(0, count);
        for (QString &n : names) {
            n.replace(QLatin1Char(','), QLatin1Char(' '));
            n.replace(QLatin1Char('\n'), QLatin1Char(' '));
            n.replace(QLatin1Char('\r'), QLatin1Char(' '));
        }
        if (time_column_ != RowTimeFormat::None)
            names.prepend(QStringLiteral("time"));
        h.line = names.join(QLatin1Char(',')).toLocal8Bit();
        h.precision.resize(size_t(count));
        for (int j = 0; j < count; ++j) {
            const int d = hub_->decimal(j);
            h.precision[size_t(j)] = d < 0 ? hub_->global_decimal() : d - 1;
        }
        pending_.headers.push_back(std::move(h));
        pending_.widths.push_back(-int(pending_.headers.size()));
    }
    pending_.values.insert(pending_.values.end(), values, values + count);
    pending_.widths.push_back(count);
    if (time_column_ != RowTimeFormat::None)
        pending_.times.push_back(QDateTime::currentMSecsSinceEpoch());
    rows_.fetch_add(1, std::memory_order_relaxed);
    if (pending_.widths.size() == 8192)
        wake_.notify_one();
}

void CsvRowWriter::wait_for_room()
{
    // When the file falls behind the link, the link waits here, before its
    // next chunk is decoded; a TCP peer then slows down.
    std::unique_lock<std::mutex> locker(lock_);
    room_.wait(locker, [this]() {
        return stop_ || interrupted_ || writer_done_.load() || pending_.values.size() < kMaxQueuedValues;
    });
}

void CsvRowWriter::interrupt()
{
    {
        std::lock_guard<std::mutex> locker(lock_);
        interrupted_ = true;
    }
    room_.notify_all();
}

void CsvRowWriter::writer_loop()
{
    Batch batch;
    for (;;) {
        bool last = false;
        {
            std::unique_lock<std::mutex> locker(lock_);
            wake_.wait_for(locker, std::chrono::milliseconds(50),
                           [this]() { return stop_ || pending_.widths.size() >= 8192; });
            std::swap(batch, pending_);
            last = stop_;
        }
        room_.notify_all();
        const bool formatted = format_batch(batch);
        batch.values.clear();
        batch.widths.clear();
        batch.times.clear();
        batch.headers.clear();
        if (!formatted || !drain()) {
            failed_ = true;
            break;
        }
        if (last)
            break;
    }
    writer_done_ = true;
    room_.notify_all();
}

bool CsvRowWriter::format_batch(const Batch &batch)
{
    const float *v = batch.values.data();
    size_t row = 0;
    for (int w : batch.widths) {
        if (w < 0) {
            const Header &h = batch.headers[size_t(-w - 1)];
            out_.append(h.line.constData(), size_t(h.line.size()));
            precision_ = h.precision;
        } else {
            char buf[64];
            if (time_column_ != RowTimeFormat::None) {
                time_format_.append(row < batch.times.size() ? batch.times[row] : start_ms_, out_);
                ++row;
                if (w > 0)
                    out_ += ',';
            }
            for (int j = 0; j < w; ++j) {
                if (j)
                    out_ += ',';
                int p = j < int(precision_.size()) ? precision_[size_t(j)] : 6;
                if (p < 0)
                    p = 6; // a stored decimal of 0: the default six digits
                const double x = double(v[j]);
                auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, std::min(p, 40));
                if (r.ec != std::errc()) {
                    // Too long for fixed notation at this precision.
                    r = std::to_chars(buf, buf + sizeof buf, x);
                }
                out_.append(buf, size_t(r.ptr - buf));
            }
            v += w;
        }
        out_ += "\r\n";
        row_ends_.push_back(out_.size());
        // Written out a megabyte at a time, not a whole batch at once.
        if (out_.size() >= kWriteChunk && !drain())
            return false;
    }
    return true;
}

bool CsvRowWriter::drain()
{
#ifndef Q_OS_WIN
    while (out_done_ < out_.size()) {
        size_t end = out_.size();
        if (pipe_like_) {
            // Whole rows of at most one atomic write, so that the reader
            // never sees half a row when the writing has to give up.
            while (row_next_ < row_ends_.size() && row_ends_[row_next_] <= out_done_)
                ++row_next_;
            size_t k = row_next_;
            while (k < row_ends_.size() && row_ends_[k] - out_done_ <= kAtomicWrite)
                ++k;
            end = k > row_next_ ? row_ends_[k - 1] : row_ends_[row_next_];
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
                error_ = QStringLiteral("%1 stopped taking data: it ends with the last whole row it took")
                             .arg(path_);
                return false;
            }
            struct pollfd p = {fd_, POLLOUT, 0};
            ::poll(&p, 1, 100);
            continue;
        }
        error_ = QStringLiteral("writing %1 failed: %2").arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
#else
    if (out_done_ < out_.size()) {
        if (std::fwrite(out_.data() + out_done_, 1, out_.size() - out_done_, file_) != out_.size() - out_done_
            || std::fflush(file_) != 0) {
            error_ = QStringLiteral("writing %1 failed: %2").arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
    }
#endif
    out_.clear();
    out_done_ = 0;
    row_ends_.clear();
    row_next_ = 0;
    return true;
}

bool CsvRowWriter::finish(int grace_ms, bool hard)
{
#ifdef Q_OS_WIN
    if (!file_)
        return !failed_;
#else
    if (fd_ < 0)
        return !failed_;
#endif
    hub_->set_row_tap(nullptr);
    {
        std::lock_guard<std::mutex> locker(lock_);
        stop_ = true;
    }
    room_.notify_all();
    hub_->set_intake_gate(nullptr);
    wake_.notify_one();
    // A slow file gets all the time it needs while it keeps taking data; a
    // stalled one is given up, and a stop the user asked for waits at most
    // the grace time.
    const qint64 start = steady_ms();
    last_progress_ms_ = std::max(last_progress_ms_.load(), start);
    while (!writer_done_) {
        const qint64 now = steady_ms();
        if ((hard && now - start >= grace_ms) || now - last_progress_ms_ >= grace_ms)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    give_up_ = true;
    if (writer_.joinable())
        writer_.join();
#ifndef Q_OS_WIN
    if (::close(fd_) != 0 && !failed_) {
        failed_ = true;
        error_ = QStringLiteral("writing %1 failed: %2").arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
    }
    fd_ = -1;
#else
    if (std::fclose(file_) != 0)
        failed_ = true;
    file_ = nullptr;
#endif
    return !failed_;
}
