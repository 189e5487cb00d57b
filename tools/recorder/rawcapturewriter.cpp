#include "rawcapturewriter.h"

#include <QDateTime>
#include <chrono>

#include "datahub.h"
#include "rawcaptureformat.h"

namespace {
// The writer wakes for this much queued, or every 50 ms.
constexpr size_t kBatch = size_t(1) << 20;
}

RawCaptureWriter::RawCaptureWriter(DataHub *hub)
    : hub_(hub)
{
}

RawCaptureWriter::~RawCaptureWriter()
{
    finish();
}

bool RawCaptureWriter::open(const QString &path, QString *error)
{
    if (!sink_.open(path, error))
        return false;
    const QByteArray header = RawCaptureFormat::header(QDateTime::currentMSecsSinceEpoch());
    pending_.append(header.constData(), size_t(header.size()));
    pending_ends_.push_back(pending_.size());
    clock_.start();
    writer_ = std::thread([this]() { writer_loop(); });
    hub_->set_raw_tap([this](const char *data, int length) { on_chunk(data, length); });
    return true;
}

void RawCaptureWriter::on_chunk(const char *data, int length)
{
    if (length <= 0)
        return;
    char head[RawCaptureFormat::kRecordHeaderSize];
    RawCaptureFormat::record_header(head, quint32(length), clock_.nsecsElapsed() / 1000);
    std::unique_lock<std::mutex> locker(lock_);
    room_.wait(locker, [this]() {
        return stop_ || interrupted_ || writer_done_.load() || pending_.size() < kMaxQueued;
    });
    if (writer_done_)
        return;
    pending_.append(head, sizeof head);
    pending_.append(data, size_t(length));
    pending_ends_.push_back(pending_.size());
    if (pending_.size() >= kBatch)
        wake_.notify_one();
}

void RawCaptureWriter::interrupt()
{
    {
        std::lock_guard<std::mutex> locker(lock_);
        interrupted_ = true;
    }
    room_.notify_all();
}

void RawCaptureWriter::writer_loop()
{
    std::string batch;
    std::vector<size_t> ends;
    for (;;) {
        bool last = false;
        {
            std::unique_lock<std::mutex> locker(lock_);
            wake_.wait_for(locker, std::chrono::milliseconds(50),
                           [this]() { return stop_ || pending_.size() >= kBatch; });
            std::swap(batch, pending_);
            std::swap(ends, pending_ends_);
            last = stop_;
        }
        room_.notify_all();
        sink_.take(batch, ends);
        if (!sink_.drain()) {
            failed_ = true;
            break;
        }
        if (last)
            break;
    }
    writer_done_ = true;
    room_.notify_all();
}

bool RawCaptureWriter::finish(int grace_ms, bool hard)
{
    if (!sink_.is_open())
        return !failed_;
    {
        std::lock_guard<std::mutex> locker(lock_);
        stop_ = true;
    }
    room_.notify_all();
    // A receiving thread waiting for room has returned: the tap can go.
    hub_->set_raw_tap(nullptr);
    wake_.notify_one();
    sink_.wait_then_give_up(writer_done_, grace_ms, hard);
    if (writer_.joinable())
        writer_.join();
    if (!sink_.close())
        failed_ = true;
    return !failed_;
}
