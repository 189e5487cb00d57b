#include "datahub.h"

#include <QMutexLocker>
#include <chrono>
#include <cstring>

namespace {
constexpr int kReceiveReserve = 10240000;
constexpr int kReceiveLimit = 20480000;

// A decoder that turns this long a stream into no frame is named in the
// terminal: it answers "why does nothing plot?".
constexpr qint64 kNoFrameMs = 2000;

qint64 steady_ms()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void append_hex(QByteArray &out, const char *bytes, int count)
{
    static const char digits[] = "0123456789abcdef";
    for (int i = 0; i < count; ++i) {
        if (i)
            out += ' ';
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += digits[b >> 4];
        out += digits[b & 0x0f];
    }
}
}

void DataHub::PutReceivedData(const char *data, int length, QDateTime time)
{
    if (length <= 0 || !data)
        return;
    {
        std::lock_guard<std::mutex> gate(gate_lock_);
        if (intake_gate_)
            intake_gate_();
        if (raw_tap_)
            raw_tap_(data, length);
    }
    received_bytes_.fetch_add(length, std::memory_order_relaxed);
    counters_.add(IntakeCounters::ReceivedBytes, length);
    // Only a change is announced: at link speed an emit per chunk would
    // flood the UI thread with queued calls saying nothing new.
    if (!heart_beat_.exchange(true, std::memory_order_relaxed))
        emit heart_beat_changed();
    if (!engine_loader_.engine())
        return;
    {
        std::lock_guard<DataLock> locker(data_lock_);
        if (qint64(received_used_) + length > kReceiveLimit) {
            counters_.add(IntakeCounters::DroppedBytes, received_used_);
            received_used_ = 0;
            received_ = QByteArray(kReceiveReserve, Qt::Uninitialized);
        }
        if (received_.size() < received_used_ + length)
            received_.resize(received_used_ + length);
        std::memcpy(received_.data() + received_used_, data, size_t(length));
        received_used_ += length;
        // The rows decoded from here on arrived now. Taken from the clock
        // rather than converted from the link's local time, which costs
        // microseconds per chunk.
        row_time_ms_ = QDateTime::currentMSecsSinceEpoch();
    }
    if (timeout_ms_ == 0) {
        set_last_receive_time(time);
        decode_pass(time);
    } else if (!buffer_timer_armed_.exchange(true)) {
        set_last_receive_time(time);
        emit start_buffer_timer();
    }
}

void DataHub::PutSentData(QByteArray data)
{
    counters_.add(IntakeCounters::SentBytes, data.size());
    text_buffer_.append_sent(data, false);
    emit text_message_updated();
}

void DataHub::PutErrorData(QByteArray data)
{
    counters_.add(IntakeCounters::LinkErrors, 1);
    text_buffer_.AppendErrorText(data);
    emit text_message_updated();
    emit link_error(data);
}

void DataHub::put_link_note(const QString &text)
{
    text_buffer_.AppendErrorText(text.toUtf8());
    emit text_message_updated();
}

void DataHub::reset_counters()
{
    std::lock_guard<DataLock> locker(data_lock_);
    counters_.reset();
    no_frame_since_ms_ = -1;
    no_frame_said_ = false;
}

void DataHub::set_last_receive_time(const QDateTime &time)
{
    std::lock_guard<std::mutex> locker(time_lock_);
    last_receive_time_ = time;
}

QDateTime DataHub::last_receive_time() const
{
    std::lock_guard<std::mutex> locker(time_lock_);
    return last_receive_time_;
}

void DataHub::decode_pass(const QDateTime &receive_time)
{
    int images_before = 0;
    int images_after = 0;
    bool image_ticked = false;
    bool no_frame_told = false;
    {
        std::lock_guard<DataLock> locker(data_lock_);
        DataEngineInterface *engine = engine_loader_.engine();
        if (!engine)
            return;
        images_before = engine->images.size();
        const int used = received_used_;
        engine->process(received_.constData(), used);
        // A frame outside the buffer, out of order or overlapping would make
        // the host read or consume bytes it does not have: such frames are
        // left out, rows included, and consumption ends at the last sound one.
        sound_frames_.clear();
        int prev = -1;
        for (const Frame *f : engine->frames) {
            if (!f || f->end >= used || f->start < 0 || f->start > f->end || f->start <= prev)
                continue;
            sound_frames_.push_back(f);
            prev = f->end;
        }
        // Frames that carry values or a picture count as decoded; a frame of
        // text only (what an engine passes to the terminal) does not.
        bool decoded = false;
        for (const Frame *f : sound_frames_) {
            const bool data = !f->values.empty() || f->batch > 0;
            counters_.add(data ? IntakeCounters::DecodedBytes : IntakeCounters::UndecodedBytes, f->end - f->start + 1);
            if (data) {
                counters_.add(IntakeCounters::Frames, 1);
                decoded = true;
            }
            if (!f->values.empty())
                append_row(f->values);
        }
        if (decoded) {
            no_frame_since_ms_ = -1;
            no_frame_said_ = false;
        } else if (used > 0 && !no_frame_said_) {
            const qint64 now = steady_ms();
            if (no_frame_since_ms_ < 0) {
                no_frame_since_ms_ = now;
                no_frame_from_bytes_ = counters_.value(IntakeCounters::ReceivedBytes) - used;
            } else if (now - no_frame_since_ms_ >= kNoFrameMs) {
                no_frame_said_ = true;
                const qint64 bytes = counters_.value(IntakeCounters::ReceivedBytes) - no_frame_from_bytes_;
                text_buffer_.AppendErrorText(QStringLiteral("no frame decoded from %1 bytes with engine %2")
                                                 .arg(bytes)
                                                 .arg(engine_loader_.engine_name())
                                                 .toUtf8());
                no_frame_told = true;
            }
        }
        if (engine->frames.isEmpty()) {
            images_after = engine->images.size();
        } else {
            const char *buf = received_.constData();
            bool batch_seen = false;
            QDateTime now; // taken when the first gap needs it
            prev = -1;
            for (const Frame *f : sound_frames_) {
                const int s = f->start;
                const int e = f->end;
                if (s > prev + 1) {
                    counters_.add(IntakeCounters::UndecodedBytes, s - prev - 1);
                    if (!now.isValid())
                        now = QDateTime::currentDateTime();
                    text_buffer_.append_received(buf + prev + 1, s - prev - 1, now, false);
                }
                const int b = f->batch;
                if (b <= 0) {
                    if (!(is_hide_wave_text_ && f->wave))
                        text_buffer_.append_received(buf + s, e - s + 1, receive_time, false);
                } else {
                    batch_seen = true;
                    const int batch = std::min(b, e - s + 1);
                    if (!is_hide_image_text_) {
                        QByteArray summary = "[Batch size=" + QByteArray::number(b);
                        const char *first = buf + e - batch + 1;
                        if (batch < 16) {
                            summary += " data:";
                            append_hex(summary, first, batch);
                        } else {
                            summary += " begin:";
                            append_hex(summary, first, 8);
                            summary += " end:";
                            append_hex(summary, buf + e - 7, 8);
                        }
                        summary += ']';
                        if (e - batch >= s)
                            text_buffer_.append_received(buf + s, e - batch - s + 1, receive_time, false);
                        text_buffer_.append_received(summary.constData(), summary.size(), receive_time, true);
                    }
                }
                prev = e;
            }
            if (batch_seen) {
                ++image_tick_;
                image_ticked = true;
            }
            if (prev >= 0) {
                const int rest = used - prev - 1;
                if (rest > 0)
                    std::memmove(received_.data(), received_.constData() + prev + 1, size_t(rest));
                received_used_ = rest;
            }
            images_after = engine->images.size();
        }
    }
    emit_deferred();
    if (no_frame_told)
        emit text_message_updated();
    if (images_after > images_before)
        counters_.add(IntakeCounters::Images, images_after - images_before);
    if (images_after != images_before)
        emit image_count_changed();
    // Pictures may have changed under the same record: views reload them.
    if (image_ticked)
        emit image_tick_changed();
}
