#ifndef RINGBUFFERWAVE_H
#define RINGBUFFERWAVE_H

#include <QColor>
#include <QList>
#include <QMutexLocker>
#include <QQuickFramebufferObject>
#include <QString>
#include <memory>

#include "chartstate.h"

class DataHub;

// The chart item: holds the view of the hub's channels (which lines, which
// index, value and 2D window, which series), answers the UI's questions
// about the shown lines, scales automatically and paces repaints. Drawing
// is ChartInFboRenderer's, on the render thread, from the shared state.
class RingBufferWave : public QQuickFramebufferObject
{
    Q_OBJECT
    Q_PROPERTY(qreal head READ head)
    Q_PROPERTY(qreal max_value READ max_value WRITE set_max_value NOTIFY max_value_changed)
    Q_PROPERTY(qreal min_value READ min_value WRITE set_min_value NOTIFY min_value_changed)
    Q_PROPERTY(qreal top_value READ top_value WRITE set_top_value NOTIFY top_value_changed)
    Q_PROPERTY(qreal bottom_value READ bottom_value WRITE set_bottom_value NOTIFY bottom_value_changed)
    Q_PROPERTY(qreal axis_x_max_value READ axis_x_max_value WRITE set_axis_x_max_value NOTIFY axis_x_max_value_changed)
    Q_PROPERTY(qreal axis_x_min_value READ axis_x_min_value WRITE set_axis_x_min_value NOTIFY axis_x_min_value_changed)
    Q_PROPERTY(qreal width_pixel READ width_pixel WRITE set_width_pixel NOTIFY width_pixel_changed)
    Q_PROPERTY(int y_grid_num READ y_grid_num WRITE set_y_grid_num NOTIFY y_grid_num_changed)
    Q_PROPERTY(int y_axis_num READ y_axis_num WRITE set_y_axis_num NOTIFY y_axis_num_changed)
    Q_PROPERTY(qreal x_offset_pixel READ x_offset_pixel WRITE set_x_offset_pixel NOTIFY x_offset_pixel_changed)
    Q_PROPERTY(qreal x_grid_step READ x_grid_step WRITE set_x_grid_step NOTIFY x_grid_step_changed)
    Q_PROPERTY(int x_grid_num READ x_grid_num WRITE set_x_grid_num NOTIFY x_grid_num_changed)
    Q_PROPERTY(int num_lines READ num_lines NOTIFY num_lines_changed)
    Q_PROPERTY(qreal barchart_base_pixel READ barchart_base_pixel WRITE set_barchart_base_pixel NOTIFY barchart_base_pixel_changed)
    Q_PROPERTY(qreal barchart_base_index READ barchart_base_index WRITE set_barchart_base_index NOTIFY barchart_base_index_changed)
    Q_PROPERTY(bool if_draw_wave READ if_draw_wave WRITE set_if_draw_wave NOTIFY if_draw_wave_changed)
    Q_PROPERTY(bool if_draw_bar READ if_draw_bar WRITE set_if_draw_bar NOTIFY if_draw_bar_changed)
    Q_PROPERTY(bool if_draw_histog READ if_draw_histog WRITE set_if_draw_histog NOTIFY if_draw_histog_changed)
    Q_PROPERTY(bool if_draw_freq READ if_draw_freq WRITE set_if_draw_freq NOTIFY if_draw_freq_changed)
    Q_PROPERTY(int histog_gap_num READ histog_gap_num WRITE set_histog_gap_num NOTIFY histog_gap_num_changed)
    Q_PROPERTY(int freq_gap_num READ freq_gap_num WRITE set_freq_gap_num NOTIFY freq_gap_num_changed)
    Q_PROPERTY(int freq_num_effective_points READ freq_num_effective_points WRITE set_freq_num_effective_points NOTIFY freq_num_effective_points_changed)
    Q_PROPERTY(int num_points READ num_points WRITE set_num_points NOTIFY num_points_changed)
    Q_PROPERTY(int histog_top_value READ histog_top_value WRITE set_histog_top_value NOTIFY histog_top_value_changed)
    Q_PROPERTY(int histog_left_index READ histog_left_index WRITE set_histog_left_index NOTIFY histog_left_index_changed)
    Q_PROPERTY(int histog_right_index READ histog_right_index WRITE set_histog_right_index NOTIFY histog_right_index_changed)
    Q_PROPERTY(qreal histog_range_max READ histog_range_max WRITE set_histog_range_max NOTIFY histog_range_max_changed)
    Q_PROPERTY(qreal histog_range_min READ histog_range_min WRITE set_histog_range_min NOTIFY histog_range_min_changed)
    Q_PROPERTY(qreal freq_top_value READ freq_top_value WRITE set_freq_top_value NOTIFY freq_top_value_changed)
    Q_PROPERTY(int freq_left_index READ freq_left_index WRITE set_freq_left_index NOTIFY freq_left_index_changed)
    Q_PROPERTY(int freq_right_index READ freq_right_index WRITE set_freq_right_index NOTIFY freq_right_index_changed)
    Q_PROPERTY(QColor theme_color READ theme_color WRITE set_theme_color NOTIFY theme_color_changed)
    Q_PROPERTY(qreal axis_x_begin READ axis_x_begin WRITE set_axis_x_begin NOTIFY axis_x_begin_changed)
    Q_PROPERTY(qreal axis_x_end READ axis_x_end WRITE set_axis_x_end NOTIFY axis_x_end_changed)
    Q_PROPERTY(int draw_index_begin READ draw_index_begin WRITE set_draw_index_begin NOTIFY draw_index_begin_changed)
    Q_PROPERTY(int draw_index_end READ draw_index_end WRITE set_draw_index_end NOTIFY draw_index_end_changed)
    Q_PROPERTY(bool optimization_on READ optimization_on WRITE set_optimization_on NOTIFY optimization_on_changed)
    Q_PROPERTY(int optimization_max_count READ optimization_max_count WRITE set_optimization_max_count NOTIFY optimization_max_count_changed)
    Q_PROPERTY(bool fake_continuous READ fake_continuous WRITE set_fake_continuous NOTIFY fake_continuous_changed)
    Q_PROPERTY(qreal unit_a READ unit_a WRITE set_unit_a NOTIFY unit_a_changed)
    Q_PROPERTY(qreal unit_b READ unit_b WRITE set_unit_b NOTIFY unit_b_changed)
    Q_PROPERTY(QString unit_text READ unit_text WRITE set_unit_text NOTIFY unit_text_changed)
    Q_PROPERTY(DataHub *datahub READ datahub WRITE set_datahub)
    Q_PROPERTY(int visible_count READ visible_count WRITE set_visible_count NOTIFY visible_count_changed)
    Q_PROPERTY(int auto_mode READ auto_mode WRITE set_auto_mode NOTIFY auto_mode_changed)
    Q_PROPERTY(int axis_x_index READ axis_x_index WRITE set_axis_x_index NOTIFY axis_x_index_changed)
    Q_PROPERTY(bool two_d_mode READ two_d_mode WRITE set_two_d_mode NOTIFY two_d_mode_changed)
    Q_PROPERTY(qreal mouse_x_pixel READ mouse_x_pixel WRITE set_mouse_x_pixel NOTIFY mouse_x_pixel_changed)
    Q_PROPERTY(qreal mouse_y_pixel READ mouse_y_pixel WRITE set_mouse_y_pixel NOTIFY mouse_y_pixel_changed)
    Q_PROPERTY(qreal mouse_x READ mouse_x WRITE set_mouse_x NOTIFY mouse_x_changed)
    Q_PROPERTY(qreal mouse_y READ mouse_y WRITE set_mouse_y NOTIFY mouse_y_changed)
    Q_PROPERTY(bool simplify_destruction READ simplify_destruction WRITE set_simplify_destruction NOTIFY simplify_destruction_changed)
    Q_PROPERTY(QList<int> line_index_list READ line_index_list NOTIFY line_index_list_changed)
    Q_PROPERTY(int line_width READ line_width WRITE set_line_width NOTIFY line_width_changed)

public:
    explicit RingBufferWave(QQuickItem *parent = nullptr);
    ~RingBufferWave() override;

    Renderer *createRenderer() const override;
    // Shared with the renderer and the marker item; guarded by its lock.
    const std::shared_ptr<ChartState> &state() const { return state_; }

    Q_INVOKABLE void add_line(int index);
    Q_INVOKABLE void remove_line(int index);
    Q_INVOKABLE void add_all_line();
    Q_INVOKABLE void remove_all_line();
    Q_INVOKABLE void set_line_xindex(int index, int xindex);
    Q_INVOKABLE int index(int pos) const;
    Q_INVOKABLE int index_local(int index) const;
    Q_INVOKABLE bool visible(int pos) const;
    Q_INVOKABLE QColor color(int pos) const;
    Q_INVOKABLE double scale(int pos) const;
    Q_INVOKABLE double offset(int pos) const;
    Q_INVOKABLE QList<qreal> bar_datas(int index) const;
    Q_INVOKABLE QList<qreal> bar_y_pixels(int index) const;
    Q_INVOKABLE QList<qreal> freq_list(int pos) const;
    Q_INVOKABLE double histog_max_value() const;
    Q_INVOKABLE double histog_min_value() const;
    Q_INVOKABLE double freq_max_value() const;
    Q_INVOKABLE double freq_min_value() const;
    Q_INVOKABLE void autoCenter();
    Q_INVOKABLE void autoFill();
    Q_INVOKABLE void autoBar();
    Q_INVOKABLE bool trylockDatas();
    Q_INVOKABLE void lockDatas();
    Q_INVOKABLE void unlockDatas();
    Q_INVOKABLE void set_force_gl_reallocate(bool value);

    qreal head() const { return 0.0; }
    qreal max_value() const;
    void set_max_value(qreal v);
    qreal min_value() const;
    void set_min_value(qreal v);
    qreal top_value() const;
    void set_top_value(qreal v);
    qreal bottom_value() const;
    void set_bottom_value(qreal v);
    qreal axis_x_max_value() const;
    void set_axis_x_max_value(qreal v);
    qreal axis_x_min_value() const;
    void set_axis_x_min_value(qreal v);
    qreal width_pixel() const { return width_pixel_; }
    void set_width_pixel(qreal v);
    int y_grid_num() const { return y_grid_num_; }
    void set_y_grid_num(int v);
    int y_axis_num() const { return y_axis_num_; }
    void set_y_axis_num(int v);
    qreal x_offset_pixel() const;
    void set_x_offset_pixel(qreal v);
    qreal x_grid_step() const { return x_grid_step_; }
    void set_x_grid_step(qreal v);
    int x_grid_num() const { return x_grid_num_; }
    void set_x_grid_num(int v);
    int num_lines() const;
    qreal barchart_base_pixel() const { return barchart_base_pixel_; }
    void set_barchart_base_pixel(qreal v);
    qreal barchart_base_index() const;
    void set_barchart_base_index(qreal v);
    bool if_draw_wave() const;
    void set_if_draw_wave(bool v);
    bool if_draw_bar() const;
    void set_if_draw_bar(bool v);
    bool if_draw_histog() const;
    void set_if_draw_histog(bool v);
    bool if_draw_freq() const;
    void set_if_draw_freq(bool v);
    int histog_gap_num() const;
    void set_histog_gap_num(int v);
    int freq_gap_num() const;
    void set_freq_gap_num(int v);
    int freq_num_effective_points() const;
    void set_freq_num_effective_points(int v);
    int num_points() const;
    void set_num_points(int v);
    int histog_top_value() const;
    void set_histog_top_value(int v);
    int histog_left_index() const;
    void set_histog_left_index(int v);
    int histog_right_index() const;
    void set_histog_right_index(int v);
    qreal histog_range_max() const;
    void set_histog_range_max(qreal v);
    qreal histog_range_min() const;
    void set_histog_range_min(qreal v);
    qreal freq_top_value() const;
    void set_freq_top_value(qreal v);
    int freq_left_index() const;
    void set_freq_left_index(int v);
    int freq_right_index() const;
    void set_freq_right_index(int v);
    QColor theme_color() const { return theme_color_; }
    void set_theme_color(const QColor &c);
    qreal axis_x_begin() const;
    void set_axis_x_begin(qreal v);
    qreal axis_x_end() const;
    void set_axis_x_end(qreal v);
    int draw_index_begin() const;
    void set_draw_index_begin(int v);
    int draw_index_end() const;
    void set_draw_index_end(int v);
    bool optimization_on() const;
    void set_optimization_on(bool v);
    int optimization_max_count() const;
    void set_optimization_max_count(int v);
    bool fake_continuous() const;
    void set_fake_continuous(bool v);
    qreal unit_a() const { return unit_a_; }
    void set_unit_a(qreal v);
    qreal unit_b() const { return unit_b_; }
    void set_unit_b(qreal v);
    QString unit_text() const { return unit_text_; }
    void set_unit_text(const QString &v);
    DataHub *datahub() const { return hub_; }
    void set_datahub(DataHub *hub);
    int visible_count() const;
    void set_visible_count(int v);
    int auto_mode() const;
    void set_auto_mode(int v);
    int axis_x_index() const;
    void set_axis_x_index(int v);
    bool two_d_mode() const;
    void set_two_d_mode(bool v);
    qreal mouse_x_pixel() const;
    void set_mouse_x_pixel(qreal v);
    qreal mouse_y_pixel() const;
    void set_mouse_y_pixel(qreal v);
    qreal mouse_x() const { return mouse_x_; }
    void set_mouse_x(qreal v);
    qreal mouse_y() const { return mouse_y_; }
    void set_mouse_y(qreal v);
    bool simplify_destruction() const { return simplify_destruction_; }
    void set_simplify_destruction(bool v);
    QList<int> line_index_list() const;
    int line_width() const;
    void set_line_width(int v);

signals:
    void max_value_changed();
    void min_value_changed();
    void top_value_changed();
    void bottom_value_changed();
    void axis_x_max_value_changed();
    void axis_x_min_value_changed();
    void width_pixel_changed();
    void y_grid_num_changed();
    void y_axis_num_changed();
    void x_offset_pixel_changed();
    void x_grid_step_changed();
    void x_grid_num_changed();
    void num_lines_changed();
    void barchart_base_pixel_changed();
    void barchart_base_index_changed();
    void if_draw_wave_changed();
    void if_draw_bar_changed();
    void if_draw_histog_changed();
    void if_draw_freq_changed();
    void histog_gap_num_changed();
    void freq_gap_num_changed();
    void freq_num_effective_points_changed();
    void num_points_changed();
    void histog_top_value_changed();
    void histog_left_index_changed();
    void histog_right_index_changed();
    void histog_range_max_changed();
    void histog_range_min_changed();
    void freq_top_value_changed();
    void freq_left_index_changed();
    void freq_right_index_changed();
    void theme_color_changed();
    void axis_x_begin_changed();
    void axis_x_end_changed();
    void draw_index_begin_changed();
    void draw_index_end_changed();
    void optimization_on_changed();
    void optimization_max_count_changed();
    void fake_continuous_changed();
    void unit_a_changed();
    void unit_b_changed();
    void unit_text_changed();
    void visible_count_changed();
    void auto_mode_changed();
    void axis_x_index_changed();
    void two_d_mode_changed();
    void mouse_x_pixel_changed();
    void mouse_y_pixel_changed();
    void mouse_x_changed();
    void mouse_y_changed();
    void simplify_destruction_changed();
    void line_index_list_changed();
    void line_width_changed();
    void updated();
    void need_paint();
    void scales_changed();
    void if_draws_changed();
    void if_hide_wave_text_changed();
    void alert_single_line(QString msg);
    void alert(QString msg);
    void force_gl_reallocate_changed();

public slots:
    void repaint();
    void update_();
    void update_visible_count();
    void on_scale_offset_changed() { repaint(); }
    void on_if_draws_changed() {}
    // Emits the signals for Change bits, on this item's thread.
    void apply_changes(quint32 bits);

protected:
    void geometryChanged(const QRectF &newGeometry, const QRectF &oldGeometry) override;

private:
    template <typename T> T get(T ChartState::*field) const;
    template <typename T> void put(T ChartState::*field, T v);
    void lines_changed();
    QList<qreal> bar_record(int index, bool pixels) const;

    std::shared_ptr<ChartState> state_;
    DataHub *hub_ = nullptr;
    bool repaint_pending_ = false;

    qreal width_pixel_ = 0.0;
    int y_grid_num_ = 10;
    int y_axis_num_ = 2;
    qreal x_grid_step_ = 0.0;
    int x_grid_num_ = 0;
    qreal barchart_base_pixel_ = 0.0;
    QColor theme_color_;
    qreal unit_a_ = 0.0;
    qreal unit_b_ = 0.0;
    QString unit_text_;
    qreal mouse_x_ = 0.0;
    qreal mouse_y_ = 0.0;
    bool simplify_destruction_ = false;
};

template <typename T>
T RingBufferWave::get(T ChartState::*field) const
{
    QMutexLocker locker(&state_->lock);
    return (*state_).*field;
}

template <typename T>
void RingBufferWave::put(T ChartState::*field, T v)
{
    QMutexLocker locker(&state_->lock);
    (*state_).*field = v;
}

#endif
