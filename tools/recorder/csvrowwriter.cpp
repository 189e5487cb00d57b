#include "csvrowwriter.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

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
    file_ = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file_) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
    writer_ = std::thread([this]() { writer_loop(); });
    hub_->set_row_tap([this](const float *values, int count) { on_row(values, count); });
    return true;
}

void CsvRowWriter::on_row(const float *values, int count)
{
    // Runs with the hub's data lock held, so the channel attributes read
    // here belong to the row.
    std::unique_lock<std::mutex> locker(lock_);
    if (limit_ > 0 && rows_.load(std::memory_order_relaxed) >= limit_)
        return;
    // When the file falls behind the link, the decoding waits for the
    // writer instead of queueing without bound; a TCP peer then slows down.
    room_.wait(locker, [this]() { return stop_ || pending_.values.size() < kMaxQueuedValues; });
    if (count != width_) {
        width_ = count;
        Header h;
        QStringList names = hub_->names().mid(0, count);
        for (QString &n : names) {
            n.replace(QLatin1Char(','), QLatin1Char(' '));
            n.replace(QLatin1Char('\n'), QLatin1Char(' '));
            n.replace(QLatin1Char('\r'), QLatin1Char(' '));
        }
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
    rows_.fetch_add(1, std::memory_order_relaxed);
    if (pending_.widths.size() == 8192)
        wake_.notify_one();
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
        write_batch(batch);
        batch.values.clear();
        batch.widths.clear();
        batch.headers.clear();
        if (std::fflush(file_) != 0)
            failed_ = true;
        if (last)
            return;
    }
}

void CsvRowWriter::write_batch(const Batch &batch)
{
    const float *v = batch.values.data();
    for (int w : batch.widths) {
        line_.clear();
        if (w < 0) {
            const Header &h = batch.headers[size_t(-w - 1)];
            line_.assign(h.line.constData(), size_t(h.line.size()));
            precision_ = h.precision;
        } else {
            char buf[64];
            for (int j = 0; j < w; ++j) {
                if (j)
                    line_ += ',';
                int p = j < int(precision_.size()) ? precision_[size_t(j)] : 6;
                if (p < 0)
                    p = 6; // a stored decimal of 0: the default six digits
                const double x = double(v[j]);
                auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, std::min(p, 40));
                if (r.ec != std::errc()) {
                    // Too long for fixed notation at this precision.
                    r = std::to_chars(buf, buf + sizeof buf, x);
                }
                line_.append(buf, size_t(r.ptr - buf));
            }
            v += w;
        }
        line_ += "\r\n";
        if (std::fwrite(line_.data(), 1, line_.size(), file_) != line_.size())
            failed_ = true;
    }
}

bool CsvRowWriter::finish()
{
    if (!file_)
        return !failed_;
    hub_->set_row_tap(nullptr);
    {
        std::lock_guard<std::mutex> locker(lock_);
        stop_ = true;
    }
    wake_.notify_one();
    if (writer_.joinable())
        writer_.join();
    if (std::fclose(file_) != 0)
        failed_ = true;
    file_ = nullptr;
    return !failed_;
}
