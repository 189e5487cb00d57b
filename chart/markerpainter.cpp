#include "markerpainter.h"

#include <QMutexLocker>
#include <cmath>
#include <algorithm>
#include <functional>
#include <utility>

#include "chartstate.h"
#include "datahub.h"
#include "ringbufferwave.h"

MarkerPainter::MarkerPainter(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
}

DataHub *MarkerPainter::hub() const
{
    return rbw_ ? rbw_->datahub() : nullptr;
}

ChartState *MarkerPainter::state() const
{
    return rbw_ ? rbw_->state().get() : nullptr;
}

void MarkerPainter::set_mouse_index(qreal v) { mouse_index_ = v; emit mouse_index_changed(); }
void MarkerPainter::set_circle_radius(int v) { circle_radius_ = v; emit circle_radius_changed(); }
void MarkerPainter::set_font_pixel_size(int v) { font_pixel_size_ = v; emit font_pixel_size_changed(); }
void MarkerPainter::set_text_offset(int v) { text_offset_ = v; emit text_offset_changed(); }
void MarkerPainter::set_measure_color(const QColor &v)
{
    measure_color_ = v;
    emit measure_color_changed();
    update();
}

void MarkerPainter::repaint(bool force_rbw_repaint)
{
    if (force_rbw_repaint && rbw_)
        rbw_->repaint();
    update();
}

namespace {

int add_to(std::vector<ChartCursor> &list, int line, const std::function<void(ChartCursor &)> &place)
{
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].id == -1) {
            list[i].id = int(i);
            list[i].line = line;
            place(list[i]);
            return int(i);
        }
    }
    ChartCursor c;
    c.id = int(list.size());
    c.line = line;
    place(c);
    list.push_back(c);
    return c.id;
}

// The last record goes; an earlier one becomes free for the next add.
bool remove_from(std::vector<ChartCursor> &list, int id)
{
    if (id < 0 || size_t(id) >= list.size())
        return false;
    if (size_t(id) + 1 == list.size())
        list.pop_back();
    else
        list[size_t(id)].id = -1;
    return true;
}

bool in_range(const std::vector<ChartCursor> &list, int id)
{
    return id >= 0 && size_t(id) < list.size();
}

}

int MarkerPainter::add_cursor(int point_index, int line_index)
{
    ChartState *s = state();
    if (!s)
        return -1;
    int id;
    {
        QMutexLocker locker(&s->lock);
        id = add_to(s->point_cursors, line_index, [point_index](ChartCursor &c) { c.point_index = point_index; });
    }
    update();
    return id;
}

int MarkerPainter::add_cursor_f(double cursor_x, int line_index)
{
    ChartState *s = state();
    if (!s)
        return -1;
    int id;
    {
        QMutexLocker locker(&s->lock);
        id = add_to(s->x_cursors, line_index, [cursor_x](ChartCursor &c) { c.x = cursor_x; });
    }
    update();
    return id;
}

void MarkerPainter::remove_cursor(int id)
{
    ChartState *s = state();
    if (!s)
        return;
    {
        QMutexLocker locker(&s->lock);
        if (!remove_from(s->point_cursors, id))
            return;
    }
    if (std::find(point_ids_.begin(), point_ids_.end(), id) != point_ids_.end())
        clear_points();
    update();
}

void MarkerPainter::remove_cursor_f(int id)
{
    ChartState *s = state();
    if (!s)
        return;
    {
        QMutexLocker locker(&s->lock);
        if (!remove_from(s->x_cursors, id))
            return;
    }
    if (std::find(ids2d_.begin(), ids2d_.end(), id) != ids2d_.end())
        clear_2d();
    update();
}

void MarkerPainter::set_cursor_point_index(int id, int point_index)
{
    ChartState *s = state();
    if (!s)
        return;
    {
        QMutexLocker locker(&s->lock);
        if (!in_range(s->point_cursors, id))
            return;
        s->point_cursors[size_t(id)].point_index = point_index;
    }
    for (size_t i = 0; i < points_.size(); ++i)
        if (point_ids_[i] == id)
            points_[i].point = point_index;
    update();
}

void MarkerPainter::set_cursor_cursor_x(int id, double cursor_x)
{
    ChartState *s = state();
    if (!s)
        return;
    {
        QMutexLocker locker(&s->lock);
        if (!in_range(s->x_cursors, id))
            return;
        s->x_cursors[size_t(id)].x = cursor_x;
    }
    for (size_t i = 0; i < slots2d_.size(); ++i)
        if (ids2d_[i] == id)
            slots2d_[i].x = cursor_x;
    update();
}

void MarkerPainter::set_cursor_line_index(int id, int line_index, int type)
{
    ChartState *s = state();
    if (s && (type == 0 || type == 1)) {
        QMutexLocker locker(&s->lock);
        std::vector<ChartCursor> &list = type == 0 ? s->point_cursors : s->x_cursors;
        if (!in_range(list, id))
            return;
        list[size_t(id)].line = line_index;
        locker.unlock();
        if (type == 0) {
            for (size_t i = 0; i < points_.size(); ++i)
                if (point_ids_[i] == id)
                    points_[i].line = line_index;
        } else {
            for (size_t i = 0; i < slots2d_.size(); ++i)
                if (ids2d_[i] == id)
                    slots2d_[i].line = line_index;
        }
    }
    update();
}

void MarkerPainter::set_cursor_hide_point(int id, bool value, int type)
{
    ChartState *s = state();
    if (s && (type == 0 || type == 1)) {
        QMutexLocker locker(&s->lock);
        std::vector<ChartCursor> &list = type == 0 ? s->point_cursors : s->x_cursors;
        if (!in_range(list, id))
            return;
        list[size_t(id)].hide_point = value;
    }
    update();
}

void MarkerPainter::set_cursor_hide_text(int id, bool value, int type)
{
    ChartState *s = state();
    if (!s || (type != 0 && type != 1))
        return;
    QMutexLocker locker(&s->lock);
    std::vector<ChartCursor> &list = type == 0 ? s->point_cursors : s->x_cursors;
    if (in_range(list, id))
        list[size_t(id)].hide_text = value;
}

void MarkerPainter::clear_points()
{
    points_.fill(PointSlot());
    point_ids_.fill(-1);
    point_count_ = 0;
}

void MarkerPainter::clear_2d()
{
    slots2d_.fill(Slot2D());
    ids2d_.fill(-1);
    count2d_ = 0;
}

int MarkerPainter::select_point(int point_index, int line_index, bool is_cursor)
{
    DataHub *h = hub();
    ChartState *s = state();
    if (!h || !s)
        return -1;
    const int size = h->size();
    int p = point_index;
    int line = line_index;
    if (p == -1) {
        if (mouse_index_ < 0 || mouse_index_ > size || std::isnan(mouse_index_))
            return -1;
        const int b = int(mouse_index_);
        bool found = false;
        h->lockDatas();
        {
            QMutexLocker locker(&s->lock);
            const double span = s->top_value - s->bottom_value;
            if (span != 0.0 && std::isfinite(span)) {
                for (int ch : s->line_index_list) {
                    const double y = (s->top_value - h->value(ch, b)) * height() / span;
                    if (std::fabs(y - s->mouse_y_pixel) <= circle_radius_) {
                        line = ch;
                        p = b;
                        found = true;
                        break;
                    }
                }
            }
        }
        h->unlockDatas();
        if (!found) {
            clear_points();
            update();
            return -1;
        }
    }
    if (p < 0 || p >= size) {
        clear_points();
        update();
        return -1;
    }
    const int slot = insert_point(p, line, is_cursor);
    point_ids_[size_t(slot)] = -1;
    update();
    return slot;
}

int MarkerPainter::insert_point(int p, int line, bool is_cursor)
{
    const PointSlot fresh{is_cursor, line, p};
    if (point_count_ < 3) {
        int i = point_count_++;
        points_[size_t(i)] = fresh;
        while (i > 0 && points_[size_t(i - 1)].point > p) {
            std::swap(points_[size_t(i - 1)], points_[size_t(i)]);
            std::swap(point_ids_[size_t(i - 1)], point_ids_[size_t(i)]);
            --i;
        }
        return i;
    }
    const int i = p < points_[0].point ? 0 : (p > points_[2].point ? 2 : 1);
    points_[size_t(i)] = fresh;
    return i;
}

int MarkerPainter::select_point2d(int line_index, double x, double y, bool is_cursor)
{
    ChartState *s = state();
    if (!s)
        return -1;
    int line = line_index;
    bool hovered = false;
    {
        QMutexLocker locker(&s->lock);
        if (line == -2 && s->hover.found) {
            line = s->hover.channel;
            x = s->hover.x;
            y = s->hover.y;
            hovered = true;
        }
    }
    if (!hovered && !is_cursor) {
        clear_2d();
        update();
        return -1;
    }
    const Slot2D fresh{true, is_cursor, line, x, y};
    int slot;
    if (count2d_ < 2) {
        slot = count2d_++;
    } else {
        slot = std::fabs(x - slots2d_[0].x) < std::fabs(x - slots2d_[1].x) ? 0 : 1;
    }
    slots2d_[size_t(slot)] = fresh;
    // Only two filled slots are ordered; a lone point stays in slot 0.
    if (count2d_ == 2 && slots2d_[0].x > slots2d_[1].x) {
        std::swap(slots2d_[0], slots2d_[1]);
        std::swap(ids2d_[0], ids2d_[1]);
        slot = 1 - slot;
    }
    ids2d_[size_t(slot)] = -1;
    update();
    return slot;
}

bool MarkerPainter::select_cursor(int id)
{
    ChartState *s = state();
    if (!s)
        return false;
    ChartCursor c;
    {
        QMutexLocker locker(&s->lock);
        if (!in_range(s->point_cursors, id))
            return false;
        c = s->point_cursors[size_t(id)];
    }
    const int slot = select_point(c.point_index, c.line, true);
    if (slot >= 0)
        point_ids_[size_t(slot)] = id;
    return true;
}

bool MarkerPainter::select_cursor2d(int id)
{
    ChartState *s = state();
    if (!s)
        return false;
    ChartCursor c;
    {
        QMutexLocker locker(&s->lock);
        if (!in_range(s->x_cursors, id))
            return false;
        c = s->x_cursors[size_t(id)];
    }
    const int slot = select_point2d(c.line, c.x, 0.0, true);
    if (slot < 0)
        clear_2d();
    else
        ids2d_[size_t(slot)] = id;
    return true;
}

QList<int> MarkerPainter::get_selected_cursor_id() const
{
    return {point_ids_[0], point_ids_[1], point_ids_[2]};
}

QList<int> MarkerPainter::get_selected_cursor2d_id() const
{
    return {ids2d_[0], ids2d_[1]};
}
