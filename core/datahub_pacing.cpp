#include "datahub.h"

#include "rowtimeformat.h"

#include <QDebug>
#include <algorithm>
#include <mutex>

void DataHub::set_heart_beat(bool v)
{
    heart_beat_.store(v, std::memory_order_relaxed);
    emit heart_beat_changed();
}

void DataHub::set_fps(int f)
{
    if (f == fps_ || f < 1 || f > 1000)
        return;
    if (paint_timer_.isActive() && paint_timer_.interval() != 1000 / f) {
        paint_timer_.stop();
        paint_timer_.start(1000 / f);
    }
    fps_ = f;
    emit fps_changed();
}

int DataHub::real_fps() const
{
    const int i = 1000 / fps_;
    qDebug() << "timer_interval:" << i;
    return 1000 / i;
}

void DataHub::set_global_decimal(int v)
{
    global_decimal_ = v;
    emit global_decimal_changed();
}

void DataHub::set_save_time_column(int v)
{
    if (v < RowTimeFormat::None || v > RowTimeFormat::Relative || v == save_time_column_)
        return;
    save_time_column_ = v;
    emit save_time_column_changed();
}

void DataHub::set_timeout_ms(int v)
{
    timeout_ms_ = v;
    emit timeout_ms_changed();
}

void DataHub::set_use_instance(bool v)
{
    use_instance_ = v;
    emit use_instance_changed();
}

void DataHub::fps_up()
{
    int i = 1000 / fps_;
    int f = fps_;
    while (f == fps_ && i > 1) {
        --i;
        f = 1000 / i;
    }
    set_fps(std::min(f, 62));
}

void DataHub::fps_down()
{
    int i = 1000 / fps_;
    int f = fps_;
    while (f == fps_) {
        ++i;
        f = 1000 / i;
    }
    set_fps(std::max(f, 10));
}

void DataHub::reset_decimals()
{
    {
        std::unique_lock<std::shared_mutex> attrs(attr_lock_);
        for (Channel &c : channels_)
            c.decimal = -6;
    }
    global_decimal_ = 6;
    emit global_decimal_changed();
}

void DataHub::start_paint()
{
    heart_beat_.store(false, std::memory_order_relaxed);
    paint_timer_.start(1000 / fps_);
}

void DataHub::stop_paint()
{
    paint_timer_.stop();
    emit need_update();
}

void DataHub::update_all()
{
    if (!paint_timer_.isActive())
        emit need_update();
}

void DataHub::timer_update()
{
    ++heart_beat_ticks_;
    if (heart_beat_ticks_ >= fps_ / 2) {
        heart_beat_ticks_ = 0;
        if (heart_beat_.exchange(false, std::memory_order_relaxed))
            emit heart_beat_changed();
    }
    emit effective_size_changed();
    emit need_update();
}

void DataHub::on_start_buffer_timer()
{
    if (buffer_timer_.isActive())
        return;
    const QDateTime first = last_receive_time();
    // Without a chunk time there is nothing to wait for.
    const qint64 elapsed = first.isValid() ? first.msecsTo(QDateTime::currentDateTime()) : qint64(timeout_ms_);
    if (elapsed < timeout_ms_) {
        buffer_timer_.start(int(timeout_ms_ - elapsed));
    } else {
        buffer_timer_armed_ = false;
        decode_pass(first);
    }
}

void DataHub::on_stop_buffer_timer()
{
    if (buffer_timer_.isActive())
        buffer_timer_.stop();
}

void DataHub::buffer_timeout()
{
    // Chunks that arrive from here on start the next burst.
    buffer_timer_armed_ = false;
    decode_pass(last_receive_time());
}
