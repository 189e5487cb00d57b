#include "chartframepass.h"

#include <QtGlobal>
#include <cmath>

#include "chartstate.h"
#include "datahub.h"
#include "fft.h"
#include "linenode.h"

void ChartFramePass::bar_pass(ChartState &s, Frame &fr, LineNode &node)
{
    if (!node.bar)
        node.bar = std::make_unique<BarNode>();
    node.bar->resize(1);
    node.bar->set(0, node.last_value);
    const double slot = fr.x_span / std::max(s.visible_count, 1);
    BarProgram::Bars b;
    b.rect = QRectF(node.ordinal * slot - 1.0, -1.0, slot, 2.0);
    b.color = fr.hub->color(node.channel);
    b.top = s.top_value;
    b.bottom = s.bottom_value;
    b.base = s.barchart_base_index / 10.0;
    b.left = 0;
    b.right = 0;
    b.num_points = s.num_points;
    b.item_height = fr.h;
    b.force = fr.force;
    bar_.draw(*node.bar, b);
}

void ChartFramePass::histog_pass(ChartState &s, Frame &fr, LineNode &node)
{
    if (!node.histog)
        node.histog = std::make_unique<BarNode>();
    BarNode &rec = *node.histog;
    const int bins = std::max(s.histog_gap_num, 0);
    rec.resize(bins);
    std::fill(rec.datas_.begin(), rec.datas_.end(), 0.0);

    const float w = float((s.histog_range_max - s.histog_range_min) / double(std::max(bins, 1)));
    const float low = float(s.histog_range_min);
    const float *ring = fr.hub->ring(node.channel);
    if (ring && bins > 0) {
        int p = node.first_pos;
        for (int i = 0; i < s.num_points; ++i) {
            const float v = ring[p] * node.scale + node.offset;
            const float f = (v - low) / w;
            // Truncation towards zero puts values less than one bin below
            // the range into bin 0; NaN and out-of-range quotients fail here.
            if (f > -1.0f && f < float(bins)) {
                const int bin = int(f);
                if (bin >= 0 && bin < bins)
                    rec.datas_[size_t(bin)] += 1.0;
            }
            if (++p == fr.n)
                p = 0;
        }
    }

    BarProgram::Bars b;
    b.rect = QRectF(-1.0, -1.0, fr.x_span, 2.0);
    b.color = fr.hub->color(node.channel);
    b.top = s.histog_top_value;
    b.bottom = 0.0;
    b.base = s.histog_top_value;
    b.left = s.histog_left_index;
    b.right = s.histog_right_index;
    b.num_points = s.num_points;
    b.item_height = fr.h;
    b.force = fr.force;
    bar_.draw(rec, b);
}

void ChartFramePass::freq_pass(ChartState &s, Frame &fr, LineNode &node)
{
    if (!node.freq)
        node.freq = std::make_unique<BarNode>();
    BarNode &rec = *node.freq;
    const int gaps = std::max(s.freq_gap_num, 0);
    rec.resize(gaps);
    const int length = 2 * gaps - 2;
    std::vector<std::complex<double>> &ws = node.spectrum;
    ws.resize(size_t(std::max(length, 0)));

    const float *ring = fr.hub->ring(node.channel);
    if (ring && s.num_points > 0 && length >= 2) {
        const int step = s.num_points / length;
        for (int i = 0; i < length; ++i) {
            const long long p = (static_cast<long long>(node.first_pos) + static_cast<long long>(i) * step) % fr.n;
            ws[size_t(i)] = std::complex<double>(double(node.scale) * ring[p] + node.offset, 0.0);
        }
        s.freq_num_effective_points = step * length;
        fr.bits |= ChartState::FreqNumEffectivePoints;
        Fft::transform(ws, true);
    }

    for (int i = 0; i < gaps; ++i) {
        double v = 0.0;
        if (size_t(i) < ws.size() && length >= 2) {
            const std::complex<double> c = ws[size_t(i)];
            const double magnitude = std::sqrt(c.real() * c.real() + c.imag() * c.imag());
            v = i == 0 ? magnitude / length : magnitude / (length / 2);
        }
        rec.datas_[size_t(i)] = v;
    }

    BarProgram::Bars b;
    b.rect = QRectF(-1.0, -1.0, fr.x_span, 2.0);
    b.color = fr.hub->color(node.channel);
    b.top = s.freq_top_value;
    b.bottom = 0.0;
    b.base = 1.0;
    b.left = s.freq_left_index;
    b.right = s.freq_right_index;
    b.num_points = s.num_points;
    b.item_height = fr.h;
    b.force = fr.force;
    bar_.draw(rec, b);
}
