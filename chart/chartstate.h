#ifndef CHARTSTATE_H
#define CHARTSTATE_H

#include <QColor>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <memory>
#include <vector>

#include "chartcursor.h"
#include "charthover.h"
#include "linenode.h"

class DataHub;

// Everything a chart view knows, shared by the chart item (UI thread), its
// frame pass (render thread) and the marker item. `lock` guards all of it;
// it is always taken after the hub's data lock, never before, and nothing
// blocks or emits while holding it. Operations report what they changed as
// Change bits; the chart item turns those into signals.
class ChartState
{
public:
    enum Change : quint32 {
        NumPoints = 1u << 0,
        Updated = 1u << 1,
        VisibleCount = 1u << 2,
        MaxValue = 1u << 3,
        MinValue = 1u << 4,
        TopValue = 1u << 5,
        BottomValue = 1u << 6,
        AxisXBegin = 1u << 7,
        AxisXEnd = 1u << 8,
        AxisXMaxValue = 1u << 9,
        AxisXMinValue = 1u << 10,
        FreqNumEffectivePoints = 1u << 11,
        FreqTopValue = 1u << 12,
        HistogTopValue = 1u << 13,
        LineList = 1u << 14,
    };

    // Writes that only count as a change beyond 1e-6.
    quint32 set_top_value(double v);
    quint32 set_bottom_value(double v);
    quint32 set_axis_x_begin(double v);
    quint32 set_axis_x_end(double v);
    quint32 set_axis_x_max_value(double v);
    quint32 set_axis_x_min_value(double v);

    quint32 auto_center();
    quint32 auto_fill();
    quint32 auto_bar();
    // The auto_mode step after a frame pass.
    quint32 apply_auto_mode();

    bool add_line(int index);
    bool remove_line(int index);
    void add_all_line(int hub_lines);
    void remove_all_line();
    // Listed positions whose channel the hub draws.
    int count_visible(const DataHub *hub) const;
    quint32 recount_visible(const DataHub *hub);
    int index(int pos) const;
    bool bars_shown() const { return if_draw_freq || if_draw_histog; }

    mutable QMutex lock;

    // Set by the chart item for the render thread.
    DataHub *hub = nullptr;
    double item_width = 0.0;
    double item_height = 0.0;
    // The object that turns Change bits into signals; cleared when it dies.
    QObject *receiver = nullptr;

    // View window and drawing settings.
    double top_value = 0.0;
    double bottom_value = 0.0;
    double axis_x_begin = -5.0;
    double axis_x_end = 5.0;
    double x_offset_pixel = 0.0;
    int draw_index_begin = 0;
    int draw_index_end = 0;
    int line_width = 2;
    bool fake_continuous = false;
    bool two_d_mode = false;
    int axis_x_index = -1;
    int auto_mode = 0;
    double mouse_x_pixel = 0.0;
    double mouse_y_pixel = 0.0;
    bool force_gl_reallocate = false;
    // Joined lines and points are cut to what their pixels need once the
    // window holds more samples than the threshold (the plot's pixel columns
    // when it is 0 or less).
    bool optimization_on = false;
    int optimization_max_count = 0;

    // Series settings.
    bool if_draw_wave = true;
    bool if_draw_bar = false;
    bool if_draw_histog = false;
    bool if_draw_freq = false;
    int barchart_base_index = 0;
    int histog_gap_num = 10;
    double histog_range_max = 0.0;
    double histog_range_min = 0.0;
    int histog_top_value = 0;
    int histog_left_index = 0;
    int histog_right_index = 0;
    int freq_gap_num = 257;
    double freq_top_value = 0.0;
    int freq_left_index = 0;
    int freq_right_index = 0;

    // Results of the last frame pass.
    int num_points = 0;
    int visible_count = 0;
    double max_value = 0.0;
    double min_value = 0.0;
    double axis_x_max_value = 0.0;
    double axis_x_min_value = 0.0;
    double histog_max_value = 0.0;
    double histog_min_value = 0.0;
    double freq_max_value = 0.0;
    double freq_min_value = 0.0;
    int freq_num_effective_points = 0;

    // Lines, cursors, hover point and the 2D x values.
    QList<int> line_index_list;
    QHash<int, int> x_channel_map;
    std::vector<std::unique_ptr<LineNode>> nodes;
    std::vector<ChartCursor> point_cursors;
    std::vector<ChartCursor> x_cursors;
    ChartHover hover;
    std::vector<float> xvalues;
};

#endif
