#include "markerpainter.h"

#include <QFont>
#include <QMutexLocker>
#include <QPainter>
#include <cmath>

#include "chartstate.h"
#include "datahub.h"
#include "ringbufferwave.h"

namespace {

QFont marker_font(int pixel_size)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(pixel_size, 1));
    return font;
}

}

// Builds the shapes of one paint pass; the caller holds the hub's data lock
// and the chart state's lock.
class MarkerPainter::Scene
{
public:
    Scene(const MarkerPainter &m, DataHub &hub, const ChartState &s, const RingBufferWave &rbw)
        : m_(m), hub_(hub), s_(s), rbw_(rbw), fm_(marker_font(m.font_pixel_size_))
        , w_(m.width()), h_(m.height()), r_(m.circle_radius_)
    {
    }

    QVector<MarkerShape> build()
    {
        point_marker(-2, truncated(m_.mouse_index_), false, false, false);
        if (s_.two_d_mode) {
            for (const ChartCursor &c : s_.x_cursors) {
                if (c.id < 0 || c.hide_point)
                    continue;
                for (int k = 0; k < c.pixel_ys.size(); ++k)
                    marker_2d(c.pixel_xs[k], c.pixel_ys[k], c.x_values[k], c.y_values[k], c.channels[k], c.hide_text);
            }
            measure_2d();
        } else {
            for (const ChartCursor &c : s_.point_cursors)
                if (c.id >= 0)
                    point_marker(c.line, c.point_index, c.hide_point, c.hide_text, false);
            measure_points();
        }
        return out_;
    }

private:
    static int truncated(double v)
    {
        if (!(v == v))
            return 0;
        return int(std::max(-2e9, std::min(2e9, v)));
    }

    bool x_mapped() const { return s_.draw_index_end != s_.draw_index_begin; }
    bool y_mapped() const { return s_.top_value != s_.bottom_value && std::isfinite(s_.top_value - s_.bottom_value); }
    double pixel_x(double b) const
    {
        return w_ * (b - s_.draw_index_begin) / (s_.draw_index_end - s_.draw_index_begin);
    }
    double pixel_x_2d(double x) const { return (x - s_.axis_x_begin) * w_ / (s_.axis_x_end - s_.axis_x_begin); }
    double pixel_y(double v) const { return (s_.top_value - v) * h_ / (s_.top_value - s_.bottom_value); }
    double value(int ch, int b) const { return hub_.value(ch, b); }
    int decimals(int ch) const
    {
        const int d = hub_.decimal(ch);
        return d > 0 ? d - 1 : hub_.global_decimal();
    }
    QString fixed(double v, int ch) const { return QString::number(v, 'f', decimals(ch)); }

    void add_line(const QLineF &l, const QColor &c, bool measure)
    {
        MarkerShape s;
        s.kind = MarkerShape::Line;
        s.line = l;
        s.color = c;
        s.measure = measure;
        out_.append(s);
    }
    void add_text(const QRectF &rect, const QString &text, const QColor &c, bool measure, int align = Qt::AlignCenter)
    {
        MarkerShape s;
        s.kind = MarkerShape::Text;
        s.rect = rect;
        s.text = text;
        s.color = c;
        s.measure = measure;
        s.align = align;
        out_.append(s);
    }
    void add_circle(const QPointF &center, const QColor &c)
    {
        MarkerShape s;
        s.kind = MarkerShape::Circle;
        s.center = center;
        s.radius = r_;
        s.color = c;
        out_.append(s);
    }

    // A leader to the upper right with the text beyond it, flipped to the
    // left at the right edge and below the point at the top edge.
    void label(double x, double y, const QString &text, const QColor &c)
    {
        const int k = int(2.2 * r_);
        const double tw = fm_.horizontalAdvance(text);
        const double th = fm_.height();
        double lx = x + 2 * r_;
        double ly = y - 2 * r_;
        double left = x + k;
        double top = y - k - th;
        if (x + k + tw > w_) {
            lx = x - 2 * r_;
            left = x - k - tw;
        }
        if (top < 0) {
            ly = y + 2 * r_;
            top = y + k;
        }
        add_line(QLineF(x, y, lx, ly), c, false);
        add_text(QRectF(left, top, tw, th), text, c, false);
    }

    void marker(double x, double y, const QColor &c, const QString &text, bool with_label)
    {
        add_circle(QPointF(x, y), c);
        if (with_label)
            label(x, y, text, c);
    }

    QString pair_text(double x, double y, int ch) const
    {
        return QStringLiteral("(") + fixed(x, s_.axis_x_index) + QStringLiteral(",") + fixed(y, ch) + QStringLiteral(")");
    }

    void marker_2d(double px, double py, double x, double y, int ch, bool hide_text)
    {
        marker(px, py, hub_.color(ch), pair_text(x, y, ch), !hide_text);
    }

    double point_marker(int a, int b, bool hide_point, bool hide_text, bool force)
    {
        if (s_.two_d_mode) {
            if (a == -2 && s_.hover.found && hub_.if_draws(s_.hover.channel))
                marker_2d(s_.hover.pixel_x, s_.hover.pixel_y, s_.hover.x, s_.hover.y, s_.hover.channel, false);
            return 0.0;
        }
        if (!x_mapped() || !y_mapped())
            return 0.0;
        const double x = pixel_x(b);
        const int lo = std::min(s_.draw_index_begin, s_.draw_index_end);
        const int hi = std::max(s_.draw_index_begin, s_.draw_index_end);
        if (b < lo || b > hi || b < 0 || b >= hub_.size())
            return x;
        auto draw_line_marker = [&](int ch) {
            const double v = value(ch, b);
            marker(x, pixel_y(v), hub_.color(ch), fixed(v, ch), !hide_text);
        };
        if (a >= 0) {
            if ((hub_.if_draws(a) && !hide_point) || force)
                draw_line_marker(a);
        } else if (a == -1) {
            for (int ch : s_.line_index_list)
                if ((hub_.if_draws(ch) && !hide_point) || force)
                    draw_line_marker(ch);
        } else if (a == -2) {
            for (int ch : s_.line_index_list) {
                if (!((hub_.if_draws(ch) && !hide_point) || force))
                    continue;
                if (std::fabs(pixel_y(value(ch, b)) - s_.mouse_y_pixel) <= r_) {
                    draw_line_marker(ch);
                    break;
                }
            }
        }
        return x;
    }

    // Straight runs only, with an arrowhead at b.
    void dimension(const QPointF &a, const QPointF &b)
    {
        const bool vertical = a.x() == b.x() && a.y() != b.y();
        const bool horizontal = a.y() == b.y() && a.x() != b.x();
        if (!vertical && !horizontal)
            return;
        const QColor c = m_.measure_color_;
        add_line(QLineF(a, b), c, true);
        const double s = 2.0 * r_;
        if (vertical) {
            const double dy = b.y() < a.y() ? s : -s;
            add_line(QLineF(b, QPointF(b.x() - s, b.y() + dy)), c, true);
            add_line(QLineF(b, QPointF(b.x() + s, b.y() + dy)), c, true);
        } else {
            const double dx = b.x() < a.x() ? s : -s;
            add_line(QLineF(b, QPointF(b.x() + dx, b.y() - s)), c, true);
            add_line(QLineF(b, QPointF(b.x() + dx, b.y() + s)), c, true);
        }
    }

    void centred_text(double cx, double top, const QString &text)
    {
        const double tw = fm_.horizontalAdvance(text);
        add_text(QRectF(cx - tw / 2, top, tw, fm_.height()), text, m_.measure_color_, true);
    }
    void right_text(double right, double cy, const QString &text)
    {
        const double tw = fm_.horizontalAdvance(text);
        add_text(QRectF(right - tw, cy - fm_.height() / 2, tw, fm_.height()), text, m_.measure_color_, true,
                 Qt::AlignRight | Qt::AlignVCenter);
    }
    void left_text(double left, double cy, const QString &text)
    {
        const double tw = fm_.horizontalAdvance(text);
        add_text(QRectF(left, cy - fm_.height() / 2, tw, fm_.height()), text, m_.measure_color_, true,
                 Qt::AlignLeft | Qt::AlignVCenter);
    }

    QString time_text(int from, int to) const
    {
        return QString::number((to - from) * rbw_.unit_a(), 'g', 6) + rbw_.unit_text();
    }

    void measure_points()
    {
        const int n = m_.point_count_;
        if (n == 0 || !x_mapped() || !y_mapped())
            return;
        const bool bars = s_.bars_shown();
        const double th = fm_.height();
        const int d = int(1.2 * r_);
        double x[3] = {};
        double y[3] = {};
        double v[3] = {};
        bool whole[3] = {};
        for (int i = 0; i < n; ++i) {
            const PointSlot &p = m_.points_[size_t(i)];
            x[i] = pixel_x(p.point);
            whole[i] = p.line < 0;
            if (whole[i]) {
                const double from_edge = i == 1 ? th + 6 * r_ : 2 * r_;
                y[i] = bars ? from_edge : h_ - from_edge;
            } else {
                v[i] = value(p.line, p.point);
                y[i] = pixel_y(v[i]);
                marker(x[i], y[i], hub_.color(p.line), fixed(v[i], p.line), !p.from_cursor);
            }
        }
        if (n < 2)
            return;
        const auto &pt = m_.points_;
        const bool whole01 = whole[0] || whole[1];
        if (!whole01) {
            dimension(QPointF(x[0], y[0]), QPointF(x[0], y[1]));
            dimension(QPointF(x[0], y[1]), QPointF(x[1], y[1]));
        }
        const bool time_above = v[0] < v[1] || (!bars && whole01);
        const double time_top = time_above ? y[1] - th - d : y[1] + d;
        centred_text((x[0] + x[1]) / 2, time_top, time_text(pt[0].point, pt[1].point));
        if (!whole01)
            right_text(x[0] - d, (y[0] + y[1]) / 2, QString::number(v[1] - v[0], 'f', hub_.global_decimal()));
        if (n < 3)
            return;
        const bool whole02 = whole[0] || whole[2];
        if (!whole02) {
            dimension(QPointF(x[2], y[0]), QPointF(x[2], y[2]));
            dimension(QPointF(x[0], y[0]), QPointF(x[2], y[0]));
        }
        const bool span_above = v[0] > v[2] || (!bars && whole02);
        centred_text((x[0] + x[2]) / 2, span_above ? y[0] - th - d : y[0] + d, time_text(pt[0].point, pt[2].point));
        if (!whole02)
            left_text(x[2] + d, (y[0] + y[2]) / 2, QString::number(v[2] - v[0], 'f', hub_.global_decimal()));
        // The same index twice leaves no period to take a duty cycle of.
        if (pt[2].point != pt[0].point) {
            const double duty = (pt[1].point - pt[0].point) * 100.0 / (pt[2].point - pt[0].point);
            centred_text((x[0] + x[1]) / 2, time_above ? time_top - th : time_top + th,
                         QStringLiteral("duty=") + QString::number(duty, 'f', 4) + QStringLiteral("%"));
        }
    }

    void measure_2d()
    {
        if (!y_mapped() || s_.axis_x_end == s_.axis_x_begin)
            return;
        const bool any_bars = s_.if_draw_bar || s_.if_draw_histog || s_.if_draw_freq;
        const double th = fm_.height();
        const int d = int(1.2 * r_);
        double x[2] = {};
        double y[2] = {};
        bool plain[2] = {};
        int active = 0;
        for (int i = 0; i < 2; ++i) {
            const Slot2D &sl = m_.slots2d_[size_t(i)];
            if (!sl.active)
                continue;
            ++active;
            x[i] = pixel_x_2d(sl.x);
            plain[i] = sl.line < 0 || sl.from_cursor;
            if (plain[i]) {
                y[i] = any_bars ? 10 : h_ - 10;
            } else {
                y[i] = pixel_y(sl.y);
                marker(x[i], y[i], hub_.color(sl.line), pair_text(sl.x, sl.y, sl.line), true);
            }
        }
        if (active < 2)
            return;
        const Slot2D &a = m_.slots2d_[0];
        const Slot2D &b = m_.slots2d_[1];
        const bool either_plain = plain[0] || plain[1];
        if (!either_plain) {
            dimension(QPointF(x[0], y[0]), QPointF(x[0], y[1]));
            dimension(QPointF(x[0], y[1]), QPointF(x[1], y[1]));
        }
        add_line(QLineF(x[0], y[0], x[1], y[1]), m_.measure_color_, true);
        const double dx = b.x - a.x;
        const double dy = b.y - a.y;
        const bool above = !any_bars && (b.y > a.y || either_plain);
        centred_text((x[0] + x[1]) / 2, above ? y[1] - th - d : y[1] + d, QString::number(dx, 'g', 6));
        if (either_plain)
            return;
        right_text(x[0] - d, (y[0] + y[1]) / 2, QString::number(dy, 'g', 6));
        const QString dist = QString::number(std::sqrt(dx * dx + dy * dy), 'g', 6);
        const double top = (y[0] + y[1]) / 2 - (a.y < b.y ? th : 0.0);
        add_text(QRectF((x[0] + x[1]) / 2, top, fm_.horizontalAdvance(dist), th), dist, m_.measure_color_, true,
                 Qt::AlignLeft | Qt::AlignTop);
    }

    const MarkerPainter &m_;
    DataHub &hub_;
    const ChartState &s_;
    const RingBufferWave &rbw_;
    QFontMetricsF fm_;
    double w_;
    double h_;
    int r_;
    QVector<MarkerShape> out_;
};

QVector<MarkerShape> MarkerPainter::shapes() const
{
    DataHub *h = hub();
    ChartState *s = state();
    if (!rbw_ || !h || !s || h->num_lines() <= 0 || h->size() == 0 || !rbw_->if_draw_wave())
        return {};
    h->lockDatas();
    QVector<MarkerShape> out;
    {
        QMutexLocker locker(&s->lock);
        out = Scene(*this, *h, *s, *rbw_).build();
    }
    h->unlockDatas();
    return out;
}

void MarkerPainter::paint(QPainter *painter)
{
    painter->setBrush(Qt::NoBrush);
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setFont(marker_font(font_pixel_size_));
    QPen pen(QColor(Qt::red), 1);
    painter->setPen(pen);
    for (const MarkerShape &s : shapes()) {
        if (s.measure)
            pen = QPen(s.color, 1, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin);
        else
            pen = QPen(s.color, 1, Qt::SolidLine);
        painter->setPen(pen);
        switch (s.kind) {
        case MarkerShape::Line:
            painter->drawLine(s.line);
            break;
        case MarkerShape::Circle:
            painter->drawEllipse(s.center, s.radius, s.radius);
            break;
        case MarkerShape::Text:
            painter->drawText(s.rect, s.align ? s.align : int(Qt::AlignCenter), s.text);
            break;
        }
    }
}
