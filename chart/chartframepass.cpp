#include "chartframepass.h"

#include <QMutexLocker>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include "chartstate.h"
#include "datahub.h"
#include "linenode.h"

namespace {

int ring_pos(long long head, long long index, long long shift, int n)
{
    long long p = (head + index - shift) % n;
    if (p < 0)
        p += n;
    return int(p);
}

// Extremes of the raw samples; NaN and infinities are left out.
void fold_raw(const float *data, int count, float &hi, float &lo)
{
    for (int i = 0; i < count; ++i) {
        const float v = data[i];
        if (!std::isfinite(v))
            continue;
        if (v > hi)
            hi = v;
        if (v < lo)
            lo = v;
    }
}

// Folds one line's series record into the frame's extremes. A line without
// the record counts as 0; a record that drew no bar does not count.
void fold_record(const BarNode *rec, double &hi, double &lo)
{
    const double rec_hi = rec ? rec->maximum : 0.0;
    const double rec_lo = rec ? rec->minimum : 0.0;
    if (rec_hi < rec_lo)
        return;
    hi = std::max(hi, rec_hi);
    lo = std::min(lo, rec_lo);
}

// Extremes that never met a value keep the start values, which say so.
void store_extremes(double hi, double lo, double &max_out, double &min_out)
{
    const bool counted = hi >= lo;
    max_out = counted ? hi : BarProgram::kNothingMax;
    min_out = counted ? lo : BarProgram::kNothingMin;
}

bool usable_window(double a, double b)
{
    return std::isfinite(a) && std::isfinite(b) && a != b;
}

// Pixel coordinates far off the item are kept within int range.
int to_pixel(double v)
{
    if (!(v == v))
        return 0;
    return int(std::max(-1e9, std::min(1e9, v)));
}

}

bool ChartFramePass::initialize(int line_width)
{
    f_.initializeOpenGLFunctions();
    f_.glEnable(GL_PROGRAM_POINT_SIZE);
    f_.glEnable(GL_LINE_SMOOTH);
    f_.glLineWidth(GLfloat(std::max(line_width, 1)));
    const bool lines = line_.create(&f_);
    const bool bars = bar_.create(&f_);
    initialized_ = true;
    return lines && bars;
}

void ChartFramePass::destroy()
{
    if (!initialized_)
        return;
    line_.destroy();
    bar_.destroy();
    initialized_ = false;
}

quint32 ChartFramePass::frame(ChartState &s, DataHub *hub, const QSizeF &size)
{
    // Qt Quick shares the context and leaves its own state behind.
    f_.glDisable(GL_BLEND);
    f_.glDisable(GL_SCISSOR_TEST);
    f_.glDisable(GL_STENCIL_TEST);
    f_.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    f_.glDepthMask(GL_TRUE);
    f_.glDepthFunc(GL_LESS);
    f_.glClearColor(0, 0, 0, 0);
    f_.glClearDepthf(1.0f);
    f_.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    f_.glEnable(GL_DEPTH_TEST);
    drawn_vertices_ = 0;
    f_.glDisable(GL_CULL_FACE);

    if (size.isEmpty() || !hub || !line_.valid())
        return 0;

    Frame fr;
    fr.hub = hub;
    fr.w = size.width();
    fr.h = size.height();
    GLint viewport[4] = {0, 0, 0, 0};
    f_.glGetIntegerv(GL_VIEWPORT, viewport);
    fr.viewport_w = float(viewport[2]);
    fr.viewport_h = float(viewport[3]);

    // The hub may be resized between frames, so the window is clamped under
    // its lock.
    hub->lockDatas();
    QMutexLocker view(&s.lock);
    fr.n = hub->size();
    fr.lines = hub->num_lines();
    fr.head = hub->head_index();
    fr.first = std::max(s.draw_index_begin, 0);
    fr.last = std::min(s.draw_index_end, fr.n - 1);
    if (fr.last <= fr.first) {
        s.num_points = 0;
        fr.bits |= s.recount_visible(hub) | ChartState::NumPoints | ChartState::Updated;
        view.unlock();
        hub->unlockDatas();
        return fr.bits;
    }
    s.num_points = fr.last - fr.first + 1;
    fr.bits |= s.recount_visible(hub) | ChartState::NumPoints | ChartState::Updated;

    if (s.axis_x_index >= fr.lines || fr.n < 1 || fr.lines < 1) {
        if (fr.n < 1 || fr.lines < 1)
            s.nodes.clear();
        view.unlock();
        hub->unlockDatas();
        return fr.bits;
    }

    s.line_index_list.erase(std::remove_if(s.line_index_list.begin(), s.line_index_list.end(),
                                           [&](int ch) { return ch >= fr.lines; }),
                            s.line_index_list.end());
    while (int(s.nodes.size()) < s.line_index_list.size())
        s.nodes.push_back(std::make_unique<LineNode>());
    while (int(s.nodes.size()) > s.line_index_list.size())
        s.nodes.pop_back();

    s.hover.found = false;
    fr.x_span = 2.0 * (fr.w - s.x_offset_pixel) / fr.w;
    fr.y_mapped = usable_window(s.top_value, s.bottom_value);
    fr.x_mapped = s.two_d_mode ? usable_window(s.axis_x_begin, s.axis_x_end)
                               : s.draw_index_end != s.draw_index_begin;
    fr.force = s.force_gl_reallocate;
    const bool cursors_mapped = usable_window(s.axis_x_begin, s.axis_x_end);
    for (ChartCursor &c : s.x_cursors) {
        c.pixel_x = cursors_mapped ? (c.x - s.axis_x_begin) * (fr.w - s.x_offset_pixel) / (s.axis_x_end - s.axis_x_begin)
                                   : 0.0;
        c.clear_intersections();
    }

    line_.top_value = float(s.top_value);
    line_.bottom_value = float(s.bottom_value);
    line_.x_span = float(fr.x_span);
    line_.y_span = 2.0f;
    line_.left_index = float(s.two_d_mode ? s.axis_x_begin : s.draw_index_begin);
    line_.right_index = float(s.two_d_mode ? s.axis_x_end : s.draw_index_end);
    line_.point_size = float(s.line_width);
    line_.window_w = float(fr.w);
    line_.window_h = float(fr.h);
    line_.use_instance = (s.fake_continuous && hub->use_instance() && s.line_width > 1) ? 1.0f : 0.0f;
    line_.send_shared();

    if (s.line_index_list.isEmpty()) {
        view.unlock();
        hub->unlockDatas();
        return fr.bits;
    }

    std::vector<int> taking;
    taking.reserve(size_t(s.line_index_list.size()));
    int highlighted = -1;
    for (int pos = 0; pos < s.line_index_list.size(); ++pos) {
        const int ch = s.line_index_list.at(pos);
        if (ch >= fr.lines || !hub->if_draws(ch))
            continue;
        LineNode &node = *s.nodes[size_t(pos)];
        node.ordinal = int(taking.size());
        node.channel = ch;
        node.x_channel = s.x_channel_map.value(ch, 0);
        if (ch == hub->highlighted_line())
            highlighted = pos;
        taking.push_back(pos);
    }
    // The bar slots are laid out by this frame's count of drawn lines.
    if (int(taking.size()) != s.visible_count) {
        s.visible_count = int(taking.size());
        fr.bits |= ChartState::VisibleCount;
    }

    std::vector<int> order;
    order.reserve(taking.size());
    if (highlighted >= 0)
        order.push_back(highlighted);
    for (auto it = taking.rbegin(); it != taking.rend(); ++it)
        if (*it != highlighted)
            order.push_back(*it);

    float frame_max = -FLT_MAX;
    float frame_min = FLT_MAX;
    double histog_max = std::numeric_limits<double>::lowest();
    double histog_min = std::numeric_limits<double>::max();
    double freq_max = histog_max;
    double freq_min = histog_min;
    fr.x_max = std::numeric_limits<double>::lowest();
    fr.x_min = std::numeric_limits<double>::max();
    for (int pos : order) {
        LineNode &node = *s.nodes[size_t(pos)];
        line_pass(s, fr, node);
        frame_max = std::max(frame_max, node.maximum);
        frame_min = std::min(frame_min, node.minimum);
        if (s.if_draw_bar)
            bar_pass(s, fr, node);
        else if (s.if_draw_histog)
            histog_pass(s, fr, node);
        else if (s.if_draw_freq)
            freq_pass(s, fr, node);
        fold_record(node.histog.get(), histog_max, histog_min);
        fold_record(node.freq.get(), freq_max, freq_min);
    }

    store_extremes(histog_max, histog_min, s.histog_max_value, s.histog_min_value);
    s.max_value = frame_max;
    store_extremes(freq_max, freq_min, s.freq_max_value, s.freq_min_value);
    s.min_value = frame_min;
    fr.bits |= ChartState::MaxValue | ChartState::MinValue;
    fr.bits |= s.apply_auto_mode();

    s.force_gl_reallocate = false;
    const bool closed = hub->closed();
    view.unlock();
    hub->unlockDatas();
    if (closed)
        fr.bits &= ~quint32(ChartState::Updated);
    return fr.bits;
}

void ChartFramePass::line_pass(ChartState &s, Frame &fr, LineNode &node)
{
    const int np = s.num_points;
    if (fr.first == fr.last || np <= 0 || fr.n <= 0)
        return;
    DataHub *hub = fr.hub;
    const int ch = node.channel;
    const float *ring = hub->ring(ch);
    if (!ring)
        return;
    node.shift = hub->xoffset(ch);
    node.offset = float(hub->offset(ch));
    node.scale = float(hub->scale(ch));
    node.first_pos = ring_pos(fr.head, fr.first, node.shift, fr.n);
    node.last_pos = ring_pos(fr.head, fr.last, node.shift, fr.n);
    node.last_value = node.scale * ring[node.last_pos] + node.offset;

    line_.specify(np, fr.force);
    node.maximum = -FLT_MAX;
    node.minimum = FLT_MAX;
    int vertices = np;
    if (s.if_draw_wave || s.if_draw_bar) {
        float hi = -FLT_MAX;
        float lo = FLT_MAX;
        if (reduces(s, fr, np)) {
            LineReducer::Mapping m;
            m.left_index = line_.left_index;
            m.xratio = line_.xratio;
            m.top_value = line_.top_value;
            m.yratio = line_.yratio;
            m.scale = node.scale;
            m.yoffset = node.offset;
            m.width = fr.viewport_w;
            m.height = fr.viewport_h;
            vertices = s.fake_continuous
                           ? reducer_.reduce_joined(ring, fr.n, node.first_pos, np, fr.first, m, hi, lo)
                           : reducer_.reduce_points(ring, fr.n, node.first_pos, np, fr.first, m, hi, lo);
            line_.upload_values(0, reducer_.values(), vertices);
            line_.upload_x(reducer_.xs(), vertices);
        } else {
            const int tail = fr.n - node.first_pos;
            if (tail < np) {
                line_.upload_values(0, ring + node.first_pos, tail);
                line_.upload_values(tail, ring, np - tail);
                fold_raw(ring + node.first_pos, tail, hi, lo);
                fold_raw(ring, np - tail, hi, lo);
            } else {
                line_.upload_values(0, ring + node.first_pos, np);
                fold_raw(ring + node.first_pos, np, hi, lo);
            }
        }
        if (hi >= lo) {
            node.maximum = node.scale * hi + node.offset;
            node.minimum = node.scale * lo + node.offset;
        }
        if (s.two_d_mode) {
            two_d_x(s, fr, node);
        } else if (vertices == np) {
            const std::vector<float> &ramp = hub->index_ramp();
            if (int(ramp.size()) >= fr.first + np)
                line_.upload_x(ramp.data() + fr.first, np);
        }
    }

    QColor color = hub->color(ch);
    const int hl = hub->highlighted_line();
    if (hl >= 0 && hl != ch)
        color.setAlpha(50);
    const float z = hl == ch ? -1.0f : 0.0f;
    if (!s.if_draw_wave || !fr.y_mapped || !fr.x_mapped)
        return;
    line_.draw_line(color, node.offset, node.scale, z, float(s.line_width), s.fake_continuous, vertices);
    drawn_vertices_ += vertices;
}

// The reduced draw needs the index mapping (not 2D) and more samples than
// the threshold; hover, cursors and the series still read the rings.
bool ChartFramePass::reduces(const ChartState &s, const Frame &fr, int samples) const
{
    if (!s.optimization_on || s.two_d_mode || !s.if_draw_wave || !fr.x_mapped || !fr.y_mapped)
        return false;
    if (s.optimization_max_count > 0)
        return samples > s.optimization_max_count;
    const double columns = std::ceil(double(fr.viewport_w) * (fr.w - s.x_offset_pixel) / std::max(fr.w, 1.0));
    return samples > columns;
}

void ChartFramePass::two_d_x(ChartState &s, Frame &fr, LineNode &node)
{
    DataHub *hub = fr.hub;
    const int np = s.num_points;
    const int u = (node.x_channel < 0 || node.x_channel >= fr.lines) ? node.channel : node.x_channel;
    const float *xring = hub->ring(u);
    const float *yring = hub->ring(node.channel);
    if (!xring || !yring)
        return;
    if (int(s.xvalues.size()) < np)
        s.xvalues.resize(size_t(np), 0.0f);
    const float xs = float(hub->scale(u));
    const float xo = float(hub->offset(u));
    const int start = ring_pos(fr.head, fr.first, hub->xoffset(u), fr.n);

    // The range runs over all 2D lines of the frame; x may lie wholly below
    // zero.
    double &xmax = fr.x_max;
    double &xmin = fr.x_min;

    const bool pixels = fr.y_mapped && usable_window(s.axis_x_begin, s.axis_x_end);
    const double plot_w = fr.w - s.x_offset_pixel;
    const double xk = pixels ? plot_w / (s.axis_x_end - s.axis_x_begin) : 0.0;
    const double yk = pixels ? fr.h / (s.top_value - s.bottom_value) : 0.0;
    bool any_cursor = false;
    for (const ChartCursor &c : s.x_cursors)
        any_cursor = any_cursor || (c.id >= 0 && (c.line == node.channel || c.line == -1));

    int p = start;
    int q = node.first_pos;
    for (int i = 0; i < np; ++i) {
        const float x = xs * xring[p] + xo;
        s.xvalues[size_t(i)] = x;
        if (std::isfinite(x)) {
            if (x > xmax)
                xmax = x;
            if (x < xmin)
                xmin = x;
        }
        if (pixels && (any_cursor || !s.hover.found)) {
            const double y = double(node.scale) * yring[q] + node.offset;
            const double py = (s.top_value - y) * yk;
            const double px = xk * (x - s.axis_x_begin);
            if (!s.hover.found && std::fabs(px - s.mouse_x_pixel) < 3.0 && std::fabs(py - s.mouse_y_pixel) < 3.0
                && x >= s.axis_x_begin) {
                s.hover.y = y;
                s.hover.pixel_x = to_pixel(px);
                s.hover.pixel_y = to_pixel(py);
                s.hover.x = x;
                s.hover.channel = node.channel;
                s.hover.found = true;
            }
            if (any_cursor && std::isfinite(py)) {
                for (ChartCursor &c : s.x_cursors) {
                    if (c.id < 0 || (c.line != node.channel && c.line != -1))
                        continue;
                    if (!(std::fabs(px - c.pixel_x) < 1.0) || !(x >= s.axis_x_begin))
                        continue;
                    const int iy = to_pixel(py);
                    const bool near = std::any_of(c.pixel_ys.begin(), c.pixel_ys.end(),
                                                  [iy](int other) { return std::abs(other - iy) < 6; });
                    if (near)
                        continue;
                    c.y_values.append(y);
                    c.x_values.append(x);
                    c.pixel_ys.append(iy);
                    c.pixel_xs.append(to_pixel(px));
                    c.channels.append(node.channel);
                }
            }
        }
        if (++p == fr.n)
            p = 0;
        if (++q == fr.n)
            q = 0;
    }
    double stored_max = 0.0;
    double stored_min = 0.0;
    store_extremes(xmax, xmin, stored_max, stored_min);
    fr.bits |= s.set_axis_x_max_value(stored_max);
    fr.bits |= s.set_axis_x_min_value(stored_min);
    line_.upload_x(s.xvalues.data(), np);
}
