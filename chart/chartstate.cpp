#include "chartstate.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "datahub.h"

namespace {

quint32 set_if_moved(double &field, double v, quint32 bit)
{
    // NaN never counts as a move, so it is never stored.
    if (std::fabs(v - field) >= 1e-6) {
        field = v;
        return bit;
    }
    return 0;
}

// The frame extremes still hold their start values when nothing was measured.
bool measured(double max, double min)
{
    return std::isfinite(max) && std::isfinite(min) && max != double(-FLT_MAX) && min != double(FLT_MAX);
}

bool x_measured(double max, double min)
{
    return std::isfinite(max) && std::isfinite(min) && max >= min;
}

// A window narrower than this maps everything to one pixel column or row.
void widen(double &high, double &low)
{
    if (high - low < 1e-10) {
        high += 1.0;
        low -= 1.0;
    }
}

}

quint32 ChartState::set_top_value(double v) { return set_if_moved(top_value, v, TopValue); }
quint32 ChartState::set_bottom_value(double v) { return set_if_moved(bottom_value, v, BottomValue); }
quint32 ChartState::set_axis_x_begin(double v) { return set_if_moved(axis_x_begin, v, AxisXBegin); }
quint32 ChartState::set_axis_x_end(double v) { return set_if_moved(axis_x_end, v, AxisXEnd); }
quint32 ChartState::set_axis_x_max_value(double v) { return set_if_moved(axis_x_max_value, v, AxisXMaxValue); }
quint32 ChartState::set_axis_x_min_value(double v) { return set_if_moved(axis_x_min_value, v, AxisXMinValue); }

quint32 ChartState::auto_center()
{
    quint32 bits = 0;
    double top = 5.0;
    double bottom = -5.0;
    bool write_y = true;
    if (visible_count > 0) {
        const double h = (max_value - min_value) * 0.5;
        const double mid = min_value + h;
        const double shift = bars_shown() ? -2.0 * h : 0.0;
        top = mid + 5.0 * h + shift;
        bottom = mid - 5.0 * h + shift;
        widen(top, bottom);
        write_y = measured(max_value, min_value) && std::isfinite(top) && std::isfinite(bottom);
    }
    if (write_y) {
        bits |= set_top_value(top);
        bits |= set_bottom_value(bottom);
    }
    if (x_measured(axis_x_max_value, axis_x_min_value)) {
        const double hx = (axis_x_max_value - axis_x_min_value) * 0.5;
        const double cx = axis_x_min_value + hx;
        double end = cx + 5.0 * hx;
        double begin = cx - 5.0 * hx;
        widen(end, begin);
        if (std::isfinite(end) && std::isfinite(begin)) {
            bits |= set_axis_x_end(end);
            bits |= set_axis_x_begin(begin);
        }
    }
    return bits;
}

quint32 ChartState::auto_fill()
{
    quint32 bits = 0;
    double top = 5.0;
    double bottom = -5.0;
    bool write_y = true;
    if (visible_count > 0) {
        const double k = bars_shown() ? 2.0 : 1.0;
        top = max_value;
        bottom = top - (top - min_value) * k;
        widen(top, bottom);
        write_y = measured(max_value, min_value) && std::isfinite(top) && std::isfinite(bottom);
    }
    if (write_y) {
        bits |= set_top_value(top);
        bits |= set_bottom_value(bottom);
    }
    if (x_measured(axis_x_max_value, axis_x_min_value)) {
        double end = axis_x_max_value;
        double begin = axis_x_min_value;
        widen(end, begin);
        bits |= set_axis_x_end(end);
        bits |= set_axis_x_begin(begin);
    }
    return bits;
}

quint32 ChartState::auto_bar()
{
    quint32 bits = 0;
    const double d = if_draw_wave ? 2.0 : 1.0;
    if (if_draw_freq) {
        freq_top_value = freq_max_value / d;
        bits |= FreqTopValue;
    }
    if (if_draw_histog) {
        const double top = histog_max_value / d;
        // The histogram maximum is a count; out of int range means no data.
        histog_top_value = (std::isfinite(top) && std::fabs(top) < 2147483647.0) ? int(top) : 0;
        bits |= HistogTopValue;
    }
    return bits;
}

quint32 ChartState::apply_auto_mode()
{
    if (auto_mode == 1)
        return auto_center();
    if (auto_mode == 2)
        return auto_fill();
    return 0;
}

bool ChartState::add_line(int index)
{
    if (line_index_list.contains(index))
        return false;
    line_index_list.append(index);
    if (!x_channel_map.contains(index))
        x_channel_map.insert(index, -1);
    std::sort(line_index_list.begin(), line_index_list.end());
    return true;
}

bool ChartState::remove_line(int index)
{
    return line_index_list.removeAll(index) > 0;
}

void ChartState::add_all_line(int hub_lines)
{
    line_index_list.clear();
    for (int i = 0; i < hub_lines; ++i) {
        line_index_list.append(i);
        if (!x_channel_map.contains(i))
            x_channel_map.insert(i, -1);
    }
}

void ChartState::remove_all_line()
{
    line_index_list.clear();
}

int ChartState::count_visible(const DataHub *hub) const
{
    if (!hub)
        return 0;
    int count = 0;
    for (int ch : line_index_list)
        if (hub->if_draws(ch))
            ++count;
    return count;
}

quint32 ChartState::recount_visible(const DataHub *hub)
{
    const int count = count_visible(hub);
    if (count == visible_count)
        return 0;
    visible_count = count;
    return VisibleCount;
}

int ChartState::index(int pos) const
{
    return (pos >= 0 && pos < line_index_list.size()) ? line_index_list.at(pos) : -1;
}
