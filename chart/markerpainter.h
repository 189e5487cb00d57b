#ifndef MARKERPAINTER_H
#define MARKERPAINTER_H

#include <QColor>
#include <QFontMetricsF>
#include <QList>
#include <QPointer>
#include <QQuickPaintedItem>
#include <QVector>
#include <array>

#include "markershape.h"
#include "ringbufferwave.h"

class ChartState;
class DataHub;

// Laid over a chart: manages its point and x cursors, marks the sample
// under the mouse, every cursor and every selected point, and measures
// between up to three selected points (two in 2D mode).
class MarkerPainter : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(RingBufferWave *rbw_ptr READ rbw_ptr WRITE set_rbw_ptr)
    Q_PROPERTY(qreal mouse_index READ mouse_index WRITE set_mouse_index NOTIFY mouse_index_changed)
    Q_PROPERTY(int circle_radius READ circle_radius WRITE set_circle_radius NOTIFY circle_radius_changed)
    Q_PROPERTY(int font_pixel_size READ font_pixel_size WRITE set_font_pixel_size NOTIFY font_pixel_size_changed)
    Q_PROPERTY(int text_offset READ text_offset WRITE set_text_offset NOTIFY text_offset_changed)
    Q_PROPERTY(QColor measure_color READ measure_color WRITE set_measure_color NOTIFY measure_color_changed)

public:
    explicit MarkerPainter(QQuickItem *parent = nullptr);

    void paint(QPainter *painter) override;
    // What paint() draws, built under the hub's data lock.
    QVector<MarkerShape> shapes() const;

    Q_INVOKABLE int add_cursor(int point_index, int line_index = -1);
    Q_INVOKABLE int add_cursor_f(double cursor_x, int line_index = -1);
    Q_INVOKABLE void remove_cursor(int id);
    Q_INVOKABLE void remove_cursor_f(int id);
    Q_INVOKABLE void set_cursor_point_index(int id, int point_index);
    Q_INVOKABLE void set_cursor_cursor_x(int id, double cursor_x);
    Q_INVOKABLE void set_cursor_line_index(int id, int line_index = -1, int type = 0);
    Q_INVOKABLE void set_cursor_hide_point(int id, bool value, int type = 0);
    Q_INVOKABLE void set_cursor_hide_text(int id, bool value, int type = 0);
    Q_INVOKABLE int select_point(int point_index = -1, int line_index = -1, bool is_cursor = false);
    Q_INVOKABLE int select_point2d(int line_index = -2, double x = 0, double y = 0, bool is_cursor = false);
    Q_INVOKABLE bool select_cursor(int id);
    Q_INVOKABLE bool select_cursor2d(int id);
    Q_INVOKABLE QList<int> get_selected_cursor_id() const;
    Q_INVOKABLE QList<int> get_selected_cursor2d_id() const;
    Q_INVOKABLE void repaint(bool force_rbw_repaint = true);

    RingBufferWave *rbw_ptr() const { return rbw_; }
    void set_rbw_ptr(RingBufferWave *rbw) { rbw_ = rbw; }
    qreal mouse_index() const { return mouse_index_; }
    void set_mouse_index(qreal v);
    int circle_radius() const { return circle_radius_; }
    void set_circle_radius(int v);
    int font_pixel_size() const { return font_pixel_size_; }
    void set_font_pixel_size(int v);
    int text_offset() const { return text_offset_; }
    void set_text_offset(int v);
    QColor measure_color() const { return measure_color_; }
    void set_measure_color(const QColor &v);

    struct PointSlot {
        bool from_cursor = false;
        int line = -1;
        int point = -1;
    };
    struct Slot2D {
        bool active = false;
        bool from_cursor = false;
        int line = -1;
        double x = -1.0;
        double y = 0.0;
    };
    const std::array<PointSlot, 3> &point_selection() const { return points_; }
    int point_selection_count() const { return point_count_; }
    const std::array<Slot2D, 2> &selection_2d() const { return slots2d_; }
    int selection_2d_count() const { return count2d_; }

signals:
    void mouse_index_changed();
    void circle_radius_changed();
    void font_pixel_size_changed();
    void text_offset_changed();
    void measure_color_changed();

private:
    class Scene;

    DataHub *hub() const;
    ChartState *state() const;
    void clear_points();
    void clear_2d();
    int insert_point(int p, int line, bool is_cursor);

    QPointer<RingBufferWave> rbw_;
    qreal mouse_index_ = 0.0;
    int circle_radius_ = 6;
    int font_pixel_size_ = 16;
    int text_offset_ = 5;
    QColor measure_color_{0, 255, 0, 255};

    std::array<PointSlot, 3> points_;
    std::array<int, 3> point_ids_{{-1, -1, -1}};
    int point_count_ = 0;
    std::array<Slot2D, 2> slots2d_;
    std::array<int, 2> ids2d_{{-1, -1}};
    int count2d_ = 0;
};

#endif
