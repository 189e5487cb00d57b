#include "csvrowwriter.h"

#include <QDateTime>
#include <algorithm>
#include <charconv>
#include <chrono>

#include "datahub.h"

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
    if (!sink_.open(path, error))
        return false;
    start_ms_ = QDateTime::currentMSecsSinceEpoch();
    time_format_ = RowTimeFormat(time_format_.mode(), start_ms_);
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
        if (time_format_.mode() != RowTimeFormat::None)
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
    if (time_format_.mode() != RowTimeFormat::None)
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
        if (!formatted || !sink_.drain()) {
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
            sink_.out().append(h.line.constData(), size_t(h.line.size()));
            precision_ = h.precision;
        } else {
            char buf[64];
            if (time_format_.mode() != RowTimeFormat::None) {
                time_format_.append(row < batch.times.size() ? batch.times[row] : start_ms_, sink_.out());
                ++row;
                if (w > 0)
                    sink_.out() += ',';
            }
            for (int j = 0; j < w; ++j) {
                if (j)
                    sink_.out() += ',';
                int p = j < int(precision_.size()) ? precision_[size_t(j)] : 6;
                if (p < 0)
                    p = 6; // a stored decimal of 0: the default six digits
                const double x = double(v[j]);
                auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, std::min(p, 40));
                if (r.ec != std::errc()) {
                    // Too long for fixed notation at this precision.
                    r = std::to_chars(buf, buf + sizeof buf, x);
                }
                sink_.out().append(buf, size_t(r.ptr - buf));
            }
            v += w;
        }
        sink_.out() += "\r\n";
        sink_.end_unit();
        // Written out a megabyte at a time, not a whole batch at once.
        if (!sink_.drain_if_full())
            return false;
    }
    return true;
}

bool CsvRowWriter::finish(int grace_ms, bool hard)
{
    if (!sink_.is_open())
        return !failed_;
    hub_->set_row_tap(nullptr);
    {
        std::lock_guard<std::mutex> locker(lock_);
        stop_ = true;
    }
    room_.notify_all();
    hub_->set_intake_gate(nullptr);
    wake_.notify_one();
    sink_.wait_then_give_up(writer_done_, grace_ms, hard);
    if (writer_.joinable())
        writer_.join();
    if (!sink_.close())
        failed_ = true;
    return !failed_;
}
