#include "ringbufferwave.h"

#include <QMutexLocker>
#include <algorithm>

#include "datahub.h"

qreal RingBufferWave::max_value() const { return get(&ChartState::max_value); }
void RingBufferWave::set_max_value(qreal v) { put(&ChartState::max_value, double(v)); emit max_value_changed(); }
qreal RingBufferWave::min_value() const { return get(&ChartState::min_value); }
void RingBufferWave::set_min_value(qreal v) { put(&ChartState::min_value, double(v)); emit min_value_changed(); }

qreal RingBufferWave::top_value() const { return get(&ChartState::top_value); }
void RingBufferWave::set_top_value(qreal v)
{
    quint32 bits;
    {
        QMutexLocker locker(&state_->lock);
        bits = state_->set_top_value(v);
    }
    apply_changes(bits);
}

qreal RingBufferWave::bottom_value() const { return get(&ChartState::bottom_value); }
void RingBufferWave::set_bottom_value(qreal v)
{
    quint32 bits;
    {
        QMutexLocker locker(&state_->lock);
        bits = state_->set_bottom_value(v);
    }
    apply_changes(bits);
}

qreal RingBufferWave::axis_x_max_value() const { return get(&ChartState::axis_x_max_value); }
void RingBufferWave::set_axis_x_max_value(qreal v)
{
    quint32 bits;
    {
        QMutexLocker locker(&state_->lock);
        bits = state_->set_axis_x_max_value(v);
    }
    apply_changes(bits);
}

qreal RingBufferWave::axis_x_min_value() const { return get(&ChartState::axis_x_min_value); }
void RingBufferWave::set_axis_x_min_value(qreal v)
{
    quint32 bits;
    {
        QMutexLocker locker(&state_->lock);
        bits = state_->set_axis_x_min_value(v);
    }
    apply_changes(bits);
}

qreal RingBufferWave::axis_x_begin() const { return get(&ChartState::axis_x_begin); }
void RingBufferWave::set_axis_x_begin(qreal v)
{
    quint32 bits;
    {
        QMutexLocker locker(&state_->lock);
        bits = state_->set_axis_x_begin(v);
    }
    apply_changes(bits);
}

qreal RingBufferWave::axis_x_end() const { return get(&ChartState::axis_x_end); }
void RingBufferWave::set_axis_x_end(qreal v)
{
    quint32 bits;
    {
        QMutexLocker locker(&state_->lock);
        bits = state_->set_axis_x_end(v);
    }
    apply_changes(bits);
}

void RingBufferWave::set_width_pixel(qreal v) { width_pixel_ = v; emit width_pixel_changed(); }
void RingBufferWave::set_y_grid_num(int v) { y_grid_num_ = v; emit y_grid_num_changed(); }
void RingBufferWave::set_y_axis_num(int v) { y_axis_num_ = v; emit y_axis_num_changed(); }
qreal RingBufferWave::x_offset_pixel() const { return get(&ChartState::x_offset_pixel); }
void RingBufferWave::set_x_offset_pixel(qreal v) { put(&ChartState::x_offset_pixel, double(v)); emit x_offset_pixel_changed(); }
void RingBufferWave::set_x_grid_step(qreal v) { x_grid_step_ = v; emit x_grid_step_changed(); }
void RingBufferWave::set_x_grid_num(int v) { x_grid_num_ = v; emit x_grid_num_changed(); }

int RingBufferWave::num_lines() const
{
    QMutexLocker locker(&state_->lock);
    return state_->line_index_list.size();
}

QList<int> RingBufferWave::line_index_list() const { return get(&ChartState::line_index_list); }

void RingBufferWave::set_barchart_base_pixel(qreal v) { barchart_base_pixel_ = v; emit barchart_base_pixel_changed(); }
qreal RingBufferWave::barchart_base_index() const { return get(&ChartState::barchart_base_index); }
void RingBufferWave::set_barchart_base_index(qreal v)
{
    // Stored truncated; out-of-range input lands on the nearest int.
    const double clamped = v != v ? 0.0 : std::max(-2147483647.0, std::min(2147483647.0, double(v)));
    put(&ChartState::barchart_base_index, int(clamped));
    emit barchart_base_index_changed();
}

bool RingBufferWave::if_draw_wave() const { return get(&ChartState::if_draw_wave); }
void RingBufferWave::set_if_draw_wave(bool v) { put(&ChartState::if_draw_wave, v); emit if_draw_wave_changed(); }
bool RingBufferWave::if_draw_bar() const { return get(&ChartState::if_draw_bar); }
void RingBufferWave::set_if_draw_bar(bool v) { put(&ChartState::if_draw_bar, v); emit if_draw_bar_changed(); }
bool RingBufferWave::if_draw_histog() const { return get(&ChartState::if_draw_histog); }
void RingBufferWave::set_if_draw_histog(bool v) { put(&ChartState::if_draw_histog, v); emit if_draw_histog_changed(); }
bool RingBufferWave::if_draw_freq() const { return get(&ChartState::if_draw_freq); }
void RingBufferWave::set_if_draw_freq(bool v) { put(&ChartState::if_draw_freq, v); emit if_draw_freq_changed(); }

int RingBufferWave::histog_gap_num() const { return get(&ChartState::histog_gap_num); }
void RingBufferWave::set_histog_gap_num(int v) { put(&ChartState::histog_gap_num, v); emit histog_gap_num_changed(); }
int RingBufferWave::freq_gap_num() const { return get(&ChartState::freq_gap_num); }
void RingBufferWave::set_freq_gap_num(int v) { put(&ChartState::freq_gap_num, v); emit freq_gap_num_changed(); }
int RingBufferWave::freq_num_effective_points() const { return get(&ChartState::freq_num_effective_points); }
void RingBufferWave::set_freq_num_effective_points(int v)
{
    put(&ChartState::freq_num_effective_points, v);
    emit freq_num_effective_points_changed();
}

int RingBufferWave::num_points() const { return get(&ChartState::num_points); }
void RingBufferWave::set_num_points(int v)
{
    quint32 bits;
    {
        QMutexLocker locker(&state_->lock);
        state_->num_points = v;
        bits = state_->recount_visible(hub_) | ChartState::NumPoints | ChartState::Updated;
    }
    apply_changes(bits);
}

int RingBufferWave::histog_top_value() const { return get(&ChartState::histog_top_value); }
void RingBufferWave::set_histog_top_value(int v) { put(&ChartState::histog_top_value, v); emit histog_top_value_changed(); }
int RingBufferWave::histog_left_index() const { return get(&ChartState::histog_left_index); }
void RingBufferWave::set_histog_left_index(int v) { put(&ChartState::histog_left_index, v); emit histog_left_index_changed(); }
int RingBufferWave::histog_right_index() const { return get(&ChartState::histog_right_index); }
void RingBufferWave::set_histog_right_index(int v) { put(&ChartState::histog_right_index, v); emit histog_right_index_changed(); }
qreal RingBufferWave::histog_range_max() const { return get(&ChartState::histog_range_max); }
void RingBufferWave::set_histog_range_max(qreal v) { put(&ChartState::histog_range_max, double(v)); }
qreal RingBufferWave::histog_range_min() const { return get(&ChartState::histog_range_min); }
void RingBufferWave::set_histog_range_min(qreal v) { put(&ChartState::histog_range_min, double(v)); }
qreal RingBufferWave::freq_top_value() const { return get(&ChartState::freq_top_value); }
void RingBufferWave::set_freq_top_value(qreal v) { put(&ChartState::freq_top_value, double(v)); emit freq_top_value_changed(); }
int RingBufferWave::freq_left_index() const { return get(&ChartState::freq_left_index); }
void RingBufferWave::set_freq_left_index(int v) { put(&ChartState::freq_left_index, v); emit freq_left_index_changed(); }
int RingBufferWave::freq_right_index() const { return get(&ChartState::freq_right_index); }
void RingBufferWave::set_freq_right_index(int v) { put(&ChartState::freq_right_index, v); emit freq_right_index_changed(); }

void RingBufferWave::set_theme_color(const QColor &c) { theme_color_ = c; emit theme_color_changed(); }

int RingBufferWave::draw_index_begin() const { return get(&ChartState::draw_index_begin); }
void RingBufferWave::set_draw_index_begin(int v) { put(&ChartState::draw_index_begin, v); emit draw_index_begin_changed(); }
int RingBufferWave::draw_index_end() const { return get(&ChartState::draw_index_end); }
void RingBufferWave::set_draw_index_end(int v) { put(&ChartState::draw_index_end, v); emit draw_index_end_changed(); }

bool RingBufferWave::optimization_on() const { return get(&ChartState::optimization_on); }
void RingBufferWave::set_optimization_on(bool v) { put(&ChartState::optimization_on, v); emit optimization_on_changed(); }
int RingBufferWave::optimization_max_count() const { return get(&ChartState::optimization_max_count); }
void RingBufferWave::set_optimization_max_count(int v) { put(&ChartState::optimization_max_count, v); emit optimization_max_count_changed(); }
bool RingBufferWave::fake_continuous() const { return get(&ChartState::fake_continuous); }
void RingBufferWave::set_fake_continuous(bool v) { put(&ChartState::fake_continuous, v); emit fake_continuous_changed(); }
void RingBufferWave::set_unit_a(qreal v) { unit_a_ = v; emit unit_a_changed(); }
void RingBufferWave::set_unit_b(qreal v) { unit_b_ = v; emit unit_b_changed(); }
void RingBufferWave::set_unit_text(const QString &v) { unit_text_ = v; emit unit_text_changed(); }

int RingBufferWave::visible_count() const { return get(&ChartState::visible_count); }
void RingBufferWave::set_visible_count(int v) { put(&ChartState::visible_count, v); emit visible_count_changed(); }

int RingBufferWave::auto_mode() const { return get(&ChartState::auto_mode); }
void RingBufferWave::set_auto_mode(int v)
{
    {
        QMutexLocker locker(&state_->lock);
        if (state_->auto_mode == v)
            return;
        state_->auto_mode = v;
    }
    emit auto_mode_changed();
}

int RingBufferWave::axis_x_index() const { return get(&ChartState::axis_x_index); }
void RingBufferWave::set_axis_x_index(int v) { put(&ChartState::axis_x_index, v); emit axis_x_index_changed(); }

bool RingBufferWave::two_d_mode() const { return get(&ChartState::two_d_mode); }
void RingBufferWave::set_two_d_mode(bool v)
{
    const int n = hub_ ? hub_->size() : 0;
    {
        QMutexLocker locker(&state_->lock);
        state_->two_d_mode = v;
        if (v)
            state_->xvalues.resize(size_t(std::max(n, 0)), 0.0f);
    }
    emit two_d_mode_changed();
    repaint();
}

qreal RingBufferWave::mouse_x_pixel() const { return get(&ChartState::mouse_x_pixel); }
void RingBufferWave::set_mouse_x_pixel(qreal v) { put(&ChartState::mouse_x_pixel, double(v)); emit mouse_x_pixel_changed(); }
qreal RingBufferWave::mouse_y_pixel() const { return get(&ChartState::mouse_y_pixel); }
void RingBufferWave::set_mouse_y_pixel(qreal v) { put(&ChartState::mouse_y_pixel, double(v)); emit mouse_y_pixel_changed(); }
void RingBufferWave::set_mouse_x(qreal v) { mouse_x_ = v; emit mouse_x_changed(); }
void RingBufferWave::set_mouse_y(qreal v) { mouse_y_ = v; emit mouse_y_changed(); }
void RingBufferWave::set_simplify_destruction(bool v) { simplify_destruction_ = v; emit simplify_destruction_changed(); }

int RingBufferWave::line_width() const { return get(&ChartState::line_width); }
void RingBufferWave::set_line_width(int v) { put(&ChartState::line_width, v); emit line_width_changed(); }
