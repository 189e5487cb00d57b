#include "ringbufferwave.h"

#include <QMutexLocker>
#include <QThread>
#include <QTimer>

#include "chartinfborenderer.h"
#include "chartresources.h"
#include "datahub.h"

RingBufferWave::RingBufferWave(QQuickItem *parent)
    : QQuickFramebufferObject(parent)
    , state_(std::make_shared<ChartState>())
{
    ChartResources::ensure();
    state_->receiver = this;
    connect(this, SIGNAL(if_draws_changed()), this, SLOT(on_if_draws_changed()));
    connect(this, SIGNAL(top_value_changed()), this, SLOT(repaint()));
    connect(this, SIGNAL(bottom_value_changed()), this, SLOT(repaint()));
    connect(this, SIGNAL(draw_index_begin_changed()), this, SLOT(repaint()));
    connect(this, SIGNAL(draw_index_end_changed()), this, SLOT(repaint()));
    setAntialiasing(false);
    // The scene graph shows the framebuffer's first row at the item's top,
    // which is where the frame pass puts NDC y = -1.
    setMirrorVertically(false);
}

RingBufferWave::~RingBufferWave()
{
    QMutexLocker locker(&state_->lock);
    // The renderer may still hold the state; it must not post to us any more.
    state_->receiver = nullptr;
    if (simplify_destruction_) {
        for (auto &node : state_->nodes)
            node.release();
    }
    state_->nodes.clear();
}

QQuickFramebufferObject::Renderer *RingBufferWave::createRenderer() const
{
    return new ChartInFboRenderer(state_);
}

void RingBufferWave::apply_changes(quint32 bits)
{
    if (bits & ChartState::NumPoints)
        emit num_points_changed();
    if (bits & ChartState::VisibleCount)
        emit visible_count_changed();
    if (bits & ChartState::MaxValue)
        emit max_value_changed();
    if (bits & ChartState::MinValue)
        emit min_value_changed();
    if (bits & ChartState::AxisXMaxValue)
        emit axis_x_max_value_changed();
    if (bits & ChartState::AxisXMinValue)
        emit axis_x_min_value_changed();
    if (bits & ChartState::FreqNumEffectivePoints)
        emit freq_num_effective_points_changed();
    if (bits & ChartState::TopValue)
        emit top_value_changed();
    if (bits & ChartState::BottomValue)
        emit bottom_value_changed();
    if (bits & ChartState::AxisXEnd)
        emit axis_x_end_changed();
    if (bits & ChartState::AxisXBegin)
        emit axis_x_begin_changed();
    if (bits & ChartState::FreqTopValue)
        emit freq_top_value_changed();
    if (bits & ChartState::HistogTopValue)
        emit histog_top_value_changed();
    if (bits & ChartState::LineList) {
        emit num_lines_changed();
        emit line_index_list_changed();
    }
    if (bits & ChartState::Updated)
        emit updated();
}

void RingBufferWave::geometryChanged(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    {
        QMutexLocker locker(&state_->lock);
        state_->item_width = newGeometry.width();
        state_->item_height = newGeometry.height();
    }
    repaint();
    QQuickFramebufferObject::geometryChanged(newGeometry, oldGeometry);
}

void RingBufferWave::set_datahub(DataHub *hub)
{
    hub_ = hub;
    {
        QMutexLocker locker(&state_->lock);
        state_->hub = hub;
    }
    if (hub) {
        connect(hub, SIGNAL(need_update()), this, SLOT(update_()));
        connect(hub, SIGNAL(need_update_visible_count()), this, SLOT(update_visible_count()));
    }
}

void RingBufferWave::repaint()
{
    if (hub_ && hub_->paint_timer()->isActive())
        return;
    bool empty;
    {
        QMutexLocker locker(&state_->lock);
        empty = state_->line_index_list.isEmpty();
    }
    if (!empty) {
        update();
        repaint_pending_ = false;
    } else if (!repaint_pending_) {
        repaint_pending_ = true;
        update();
    }
}

void RingBufferWave::update_()
{
    bool empty;
    {
        QMutexLocker locker(&state_->lock);
        empty = state_->line_index_list.isEmpty();
    }
    if (!empty || repaint_pending_) {
        update();
        repaint_pending_ = false;
    } else {
        repaint_pending_ = true;
    }
}

void RingBufferWave::update_visible_count()
{
    quint32 bits;
    {
        QMutexLocker locker(&state_->lock);
        bits = state_->recount_visible(hub_);
    }
    apply_changes(bits);
}

void RingBufferWave::lines_changed()
{
    update_visible_count();
    emit num_lines_changed();
    emit line_index_list_changed();
}

void RingBufferWave::add_line(int index)
{
    bool added;
    {
        QMutexLocker locker(&state_->lock);
        added = state_->add_line(index);
    }
    if (added)
        lines_changed();
}

void RingBufferWave::remove_line(int index)
{
    bool removed;
    {
        QMutexLocker locker(&state_->lock);
        removed = state_->remove_line(index);
    }
    if (removed)
        lines_changed();
}

void RingBufferWave::add_all_line()
{
    const int lines = hub_ ? hub_->num_lines() : 0;
    {
        QMutexLocker locker(&state_->lock);
        state_->add_all_line(lines);
    }
    lines_changed();
}

void RingBufferWave::remove_all_line()
{
    {
        QMutexLocker locker(&state_->lock);
        state_->remove_all_line();
    }
    lines_changed();
}

void RingBufferWave::set_line_xindex(int index, int xindex)
{
    {
        QMutexLocker locker(&state_->lock);
        state_->x_channel_map.insert(index, xindex);
    }
    repaint();
}

int RingBufferWave::index(int pos) const
{
    QMutexLocker locker(&state_->lock);
    return state_->index(pos);
}

int RingBufferWave::index_local(int index) const
{
    QMutexLocker locker(&state_->lock);
    return state_->line_index_list.indexOf(index);
}

bool RingBufferWave::visible(int pos) const
{
    const int ch = index(pos);
    if (ch < 0 || !hub_ || ch >= hub_->num_lines())
        return false;
    return hub_->if_draws(ch);
}

QColor RingBufferWave::color(int pos) const
{
    const int ch = index(pos);
    if (ch < 0)
        return theme_color_;
    return hub_ ? hub_->color(ch) : theme_color_;
}

double RingBufferWave::scale(int pos) const
{
    const int ch = index(pos);
    return (ch < 0 || !hub_) ? 1.0 : hub_->scale(ch);
}

double RingBufferWave::offset(int pos) const
{
    const int ch = index(pos);
    return (ch < 0 || !hub_) ? 0.0 : hub_->offset(ch);
}

QList<qreal> RingBufferWave::bar_record(int index, bool pixels) const
{
    QList<qreal> out;
    if (!hub_)
        return out;
    hub_->lockDatas();
    {
        QMutexLocker locker(&state_->lock);
        const ChartState &s = *state_;
        if (!hub_->closed() && index >= 0 && size_t(index) < s.nodes.size()) {
            const LineNode &node = *s.nodes[size_t(index)];
            const BarNode *rec = nullptr;
            if (s.if_draw_bar)
                rec = node.bar.get();
            else if (s.if_draw_histog)
                rec = node.histog.get();
            else if (s.if_draw_freq)
                rec = node.freq.get();
            if (rec) {
                const std::vector<double> &v = pixels ? rec->pixel_tops : rec->datas_;
                out.reserve(int(v.size()));
                for (double d : v)
                    out.append(d);
            }
        }
    }
    hub_->unlockDatas();
    return out;
}

QList<qreal> RingBufferWave::bar_datas(int index) const
{
    return bar_record(index, false);
}

QList<qreal> RingBufferWave::bar_y_pixels(int index) const
{
    return bar_record(index, true);
}

QList<qreal> RingBufferWave::freq_list(int) const
{
    return {};
}

double RingBufferWave::histog_max_value() const { return get(&ChartState::histog_max_value); }
double RingBufferWave::histog_min_value() const { return get(&ChartState::histog_min_value); }
double RingBufferWave::freq_max_value() const { return get(&ChartState::freq_max_value); }
double RingBufferWave::freq_min_value() const { return get(&ChartState::freq_min_value); }

void RingBufferWave::autoCenter()
{
    quint32 bits;
    {
        QMutexLocker locker(&state_->lock);
        bits = state_->auto_center();
    }
    apply_changes(bits);
}

void RingBufferWave::autoFill()
{
    quint32 bits;
    {
        QMutexLocker locker(&state_->lock);
        bits = state_->auto_fill();
    }
    apply_changes(bits);
}

void RingBufferWave::autoBar()
{
    quint32 bits;
    {
        QMutexLocker locker(&state_->lock);
        bits = state_->auto_bar();
    }
    apply_changes(bits);
}

bool RingBufferWave::trylockDatas()
{
    return hub_ ? hub_->trylockDatas() : false;
}

void RingBufferWave::lockDatas()
{
    if (hub_)
        hub_->lockDatas();
}

void RingBufferWave::unlockDatas()
{
    if (hub_)
        hub_->unlockDatas();
}

void RingBufferWave::set_force_gl_reallocate(bool value)
{
    put(&ChartState::force_gl_reallocate, value);
}
