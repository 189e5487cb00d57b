#include "datahub.h"

#include "imageprovider.h"

#include <QDebug>
#include <QMutexLocker>
#include <algorithm>
#include <mutex>

DataHub::DataHub(QObject *parent)
    : QObject(parent),
      received_(10240000, Qt::Uninitialized),
      read_scratch_(20480, Qt::Uninitialized),
      image_provider_(new ImageProvider(this))
{
    engine_loader_.set_guard(&data_lock_);
    connect(this, SIGNAL(size_changed()), this, SLOT(on_size_changed()));
    paint_timer_.setParent(this);
    buffer_timer_.setParent(this);
    buffer_timer_.setSingleShot(true);
    connect(&paint_timer_, SIGNAL(timeout()), this, SLOT(timer_update()));
    connect(&buffer_timer_, SIGNAL(timeout()), this, SLOT(buffer_timeout()));
    connect(this, SIGNAL(start_buffer_timer()), this, SLOT(on_start_buffer_timer()));
    connect(this, SIGNAL(stop_buffer_timer()), this, SLOT(on_stop_buffer_timer()));
    // A send that did not fit is said in the terminal's error text.
    connect(&out_buffer_, &OutBuffer::refused, this,
            [this](const QString &message) { PutErrorData(message.toUtf8()); });
}

DataHub::~DataHub()
{
    qDebug() << "~datahub";
    if (!provider_taken_)
        delete image_provider_;
    worker_thread_.join();
    std::lock_guard<DataLock> locker(data_lock_);
    std::unique_lock<std::shared_mutex> attrs(attr_lock_);
    channels_.clear();
}

template <typename F>
void DataHub::modify_channel(int pos, F &&f)
{
    std::unique_lock<std::shared_mutex> attrs(attr_lock_);
    if (is_channel(pos))
        f(channels_[size_t(pos)]);
}

void DataHub::set_scale(int pos, double value)
{
    bool done = false;
    modify_channel(pos, [&](Channel &c) { c.scale = value; done = true; });
    if (done)
        emit scales_changed();
}

void DataHub::set_offset(int pos, double value)
{
    bool done = false;
    modify_channel(pos, [&](Channel &c) { c.offset = value; done = true; });
    if (done)
        emit offsets_changed();
}

void DataHub::set_xoffset(int pos, int value)
{
    bool done = false;
    modify_channel(pos, [&](Channel &c) { c.xoffset = value; done = true; });
    if (done)
        emit xoffsets_changed();
}

void DataHub::set_decimal(int pos, int value)
{
    bool done = false;
    modify_channel(pos, [&](Channel &c) { c.decimal = value; done = true; });
    if (done)
        emit decimals_changed();
}

void DataHub::set_if_draws(int pos, bool value)
{
    bool done = false;
    modify_channel(pos, [&](Channel &c) { c.if_draws = value; done = true; });
    if (done) {
        emit need_update_visible_count();
        emit if_draws_changed();
    }
}

void DataHub::set_color(int pos, QColor value)
{
    bool done = false;
    modify_channel(pos, [&](Channel &c) { c.color = value; done = true; });
    if (done)
        emit color_changed(pos, value);
}

void DataHub::set_name(int pos, QString name)
{
    bool done = false;
    modify_channel(pos, [&](Channel &c) { c.name = name; done = true; });
    if (done)
        emit name_changed(pos, name);
}

double DataHub::scale(int pos) const
{
    std::shared_lock<std::shared_mutex> attrs(attr_lock_);
    return is_channel(pos) ? channels_[size_t(pos)].scale : 1.0;
}

double DataHub::offset(int pos) const
{
    std::shared_lock<std::shared_mutex> attrs(attr_lock_);
    return is_channel(pos) ? channels_[size_t(pos)].offset : 0.0;
}

int DataHub::xoffset(int pos) const
{
    std::shared_lock<std::shared_mutex> attrs(attr_lock_);
    if (!is_channel(pos) || size_ == 0)
        return 0;
    // C++ % keeps the sign of the dividend, which is the wanted remainder.
    return channels_[size_t(pos)].xoffset % size_;
}

int DataHub::decimal(int pos) const
{
    std::shared_lock<std::shared_mutex> attrs(attr_lock_);
    return is_channel(pos) ? channels_[size_t(pos)].decimal : 0;
}

bool DataHub::if_draws(int pos) const
{
    std::shared_lock<std::shared_mutex> attrs(attr_lock_);
    return is_channel(pos) ? channels_[size_t(pos)].if_draws : false;
}

QColor DataHub::color(int pos) const
{
    std::shared_lock<std::shared_mutex> attrs(attr_lock_);
    return is_channel(pos) ? channels_[size_t(pos)].color : theme_color_;
}

QList<qreal> DataHub::rt_values()
{
    // rt values change with every row, so they are read under the data lock.
    std::lock_guard<DataLock> locker(data_lock_);
    QList<qreal> out;
    out.reserve(int(channels_.size()));
    for (const Channel &c : channels_)
        out.append(c.rt_value);
    return out;
}

QList<QString> DataHub::names() const
{
    std::shared_lock<std::shared_mutex> attrs(attr_lock_);
    QList<QString> out;
    out.reserve(int(channels_.size()));
    for (const Channel &c : channels_)
        out.append(c.name);
    return out;
}

QColor DataHub::theme_color() const
{
    std::shared_lock<std::shared_mutex> attrs(attr_lock_);
    return theme_color_;
}

void DataHub::set_theme_color(const QColor &c)
{
    {
        std::unique_lock<std::shared_mutex> attrs(attr_lock_);
        theme_color_ = c;
    }
    emit theme_color_changed();
}

void DataHub::set_highlighted_line(int v)
{
    highlighted_line_ = v;
    emit highlighted_line_changed();
}

void DataHub::clear()
{
    {
        std::lock_guard<DataLock> locker(data_lock_);
        set_num_lines(0);
    }
    emit_deferred();
}

void DataHub::unlockDatas()
{
    data_lock_.unlock();
    emit_deferred();
}

void DataHub::emit_deferred()
{
    if (deferred_effective_.exchange(false, std::memory_order_relaxed))
        emit effective_size_changed();
    if (deferred_lines_.exchange(false, std::memory_order_relaxed))
        emit num_lines_changed();
}

const float *DataHub::ring(int channel) const
{
    if (channel < 0 || channel >= int(channels_.size()))
        return nullptr;
    return channels_[size_t(channel)].ring.data();
}

float DataHub::value(int channel, int i) const
{
    if (closed_ || channel < 0 || channel >= int(channels_.size()) || size_ <= 0)
        return 0.0f;
    const Channel &c = channels_[size_t(channel)];
    if (int(c.ring.size()) < size_)
        return 0.0f;
    double scale, offset;
    int xoffset;
    {
        // The UI thread may be writing the attributes right now.
        std::shared_lock<std::shared_mutex> attrs(attr_lock_);
        scale = c.scale;
        offset = c.offset;
        xoffset = c.xoffset;
    }
    long long idx = (static_cast<long long>(head_) - xoffset + i) % size_;
    if (idx < 0)
        idx += size_;
    return float(c.ring[size_t(idx)] * scale + offset);
}

void DataHub::set_size(int n)
{
    if (n == size_ || n < 0)
        return;
    {
        std::lock_guard<DataLock> locker(data_lock_);
        size_ = n;
        relayout(n);
        head_ = 0;
        if (n == 0)
            set_num_lines(0);
        effective_size_ = std::min(size_, effective_size_);
    }
    emit_deferred();
    emit size_changed();
    emit effective_size_changed();
}

void DataHub::set_max_size(int n)
{
    if (n <= 0)
        return;
    max_size_ = n;
    if (size_ > n)
        set_size(n);
    emit max_size_changed();
}

void DataHub::append_row(const float *values, int n)
{
    if (size_ == 0) {
        set_num_lines(0);
        return;
    }
    // A row wider than any device sends is garbage; taking it would
    // allocate a ring per value.
    if (n <= 0 || n > kMaxChannels) {
        if (n > kMaxChannels)
            counters_.add(IntakeCounters::RowsTooWide, 1);
        return;
    }
    const int lines = int(channels_.size());
    if (lines == 0) {
        set_num_lines(n);
        mismatch_count_ = 0;
    } else if (n == lines) {
        mismatch_count_ = 0;
    } else {
        if (++mismatch_count_ < 20) {
            counters_.add(IntakeCounters::RowsWidthChange, 1);
            return;
        }
        set_num_lines(n);
        mismatch_count_ = 0;
    }
    const int count = int(channels_.size());
    const int shared = std::min(n, count);
    const size_t h = size_t(head_);
    for (int j = 0; j < shared; ++j) {
        Channel &c = channels_[size_t(j)];
        c.ring[h] = values[j];
        c.rt_value = values[j];
    }
    for (int j = shared; j < count; ++j) {
        Channel &c = channels_[size_t(j)];
        c.ring[h] = 0.0f;
        c.rt_value = 0.0;
    }
    row_times_[h] = row_time_ms_;
    head_ = (head_ + 1) % size_;
    if (effective_size_ < size_)
        ++effective_size_;
    stored_rows_.store(stored_rows_.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    counters_.add(IntakeCounters::Rows, 1);
    if (row_tap_) {
        row_scratch_.resize(size_t(count));
        for (int j = 0; j < count; ++j)
            row_scratch_[size_t(j)] = channels_[size_t(j)].ring[h];
        row_tap_(row_scratch_.data(), count);
    }
}

void DataHub::set_intake_gate(IntakeGate gate)
{
    std::lock_guard<std::mutex> locker(gate_lock_);
    intake_gate_ = std::move(gate);
}

void DataHub::set_raw_tap(RawTap tap)
{
    std::lock_guard<std::mutex> locker(gate_lock_);
    raw_tap_ = std::move(tap);
}

void DataHub::set_row_tap(RowTap tap)
{
    std::lock_guard<DataLock> locker(data_lock_);
    row_tap_ = std::move(tap);
}

void DataHub::set_num_lines(int count)
{
    if (count < 0)
        count = 0;
    {
        std::unique_lock<std::shared_mutex> attrs(attr_lock_);
        if (int(channels_.size()) > count)
            channels_.resize(size_t(count));
        while (int(channels_.size()) < count) {
            channels_.emplace_back();
            channels_.back().ring.assign(size_t(size_), 0.0f);
        }
        if (count > 0 && row_times_.size() != size_t(size_))
            row_times_.assign(size_t(size_), 0);
        num_lines_.store(count, std::memory_order_release);
    }
    if (allocated_ == 0 && count > 0)
        allocated_ = size_;
    // The data lock is held here: receivers on this thread that read the
    // hub back would deadlock, so the signals go out once it is released.
    if (count == 0 && effective_size_ != 0) {
        effective_size_ = 0;
        deferred_effective_.store(true, std::memory_order_relaxed);
    }
    deferred_lines_.store(true, std::memory_order_relaxed);
}

namespace {
// A ring of a entries whose oldest is at h, laid out again in m entries with
// the oldest first, keeping the newest when it shrinks.
template <typename T>
void relayout_ring(std::vector<T> &ring, int a, int h, int m)
{
    std::vector<T> fresh(size_t(m), T(0));
    if (int(ring.size()) == a && a > 0 && h >= 0 && h <= a) {
        const T *old = ring.data();
        if (m > a) {
            std::copy(old + h, old + a, fresh.begin() + (m - a));
            std::copy(old, old + h, fresh.begin() + (m - a) + (a - h));
        } else if (h >= m) {
            std::copy(old + (h - m), old + h, fresh.begin());
        } else {
            std::copy(old + (a - (m - h)), old + a, fresh.begin());
            std::copy(old, old + h, fresh.begin() + (m - h));
        }
    }
    ring.swap(fresh);
}
}

void DataHub::relayout(int m)
{
    if (m == allocated_)
        return;
    index_ramp_.resize(size_t(m));
    for (int i = 0; i < m; ++i)
        index_ramp_[size_t(i)] = float(i);

    for (Channel &c : channels_)
        relayout_ring(c.ring, allocated_, head_, m);
    relayout_ring(row_times_, allocated_, head_, m);
    allocated_ = m;
}
