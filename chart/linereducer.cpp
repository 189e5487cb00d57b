#include "linereducer.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace {

// The pixel of a window coordinate once the rasteriser has snapped it to
// its sub-pixel grid (1/256 of a pixel), so a vertex a hair left of a pixel
// edge is grouped with the pixel it is drawn in.
int snapped_pixel(float at)
{
    if (!(at > -1e6f))
        return -1000000;
    if (!(at < 1e6f))
        return 1000000;
    return int(std::floor(std::nearbyint(double(at) * 256.0) / 256.0));
}

}

int LineReducer::column(const Mapping &m, float x)
{
    const float ndc = -1.0f + (x - m.left_index) * m.xratio;
    const float half = 0.5f * m.width;
    return snapped_pixel(ndc * half + half);
}

int LineReducer::row(const Mapping &m, float value)
{
    const float ya = m.top_value - (value * m.scale + m.yoffset);
    const float ndc = -1.0f + ya * m.yratio;
    const float half = 0.5f * m.height;
    const int py = snapped_pixel(ndc * half + half);
    return std::max(-1, std::min(int(m.height), py));
}

void LineReducer::reserve(int count)
{
    if (int(values_.size()) < count) {
        values_.resize(size_t(count));
        xs_.resize(size_t(count));
    }
    used_ = 0;
}

void LineReducer::push(float value, float x)
{
    values_[size_t(used_)] = value;
    xs_[size_t(used_)] = x;
    ++used_;
}

int LineReducer::reduce_joined(const float *ring, int n, int first_pos, int count, int first_index,
                               const Mapping &m, float &hi, float &lo)
{
    reserve(count);
    // The open column's first and last samples and the first and last
    // occurrences of its lowest and highest values: a flat run that ends in
    // a step keeps its corner.
    bool open = false;
    int col = 0;
    int k_first = 0, k_low = 0, k_low_end = 0, k_high = 0, k_high_end = 0, k_last = 0;
    float v_first = 0.0f, v_low = 0.0f, v_high = 0.0f, v_last = 0.0f;
    const auto flush = [&]() {
        if (!open)
            return;
        std::pair<int, float> picks[6] = {{k_first, v_first}, {k_low, v_low},   {k_low_end, v_low},
                                          {k_high, v_high},   {k_high_end, v_high}, {k_last, v_last}};
        std::sort(std::begin(picks), std::end(picks),
                  [](const std::pair<int, float> &a, const std::pair<int, float> &b) { return a.first < b.first; });
        int previous = -1;
        for (const auto &p : picks) {
            if (p.first == previous)
                continue;
            push(p.second, float(first_index + p.first));
            previous = p.first;
        }
        open = false;
    };
    // A run of non-finite samples draws nothing; its two ends break the
    // strip exactly where the whole run does.
    int break_k = -1;
    float break_v = 0.0f;
    int p = first_pos;
    for (int k = 0; k < count; ++k) {
        const float v = ring[p];
        if (++p == n)
            p = 0;
        if (!std::isfinite(v)) {
            flush();
            if (break_k < 0)
                push(v, float(first_index + k));
            break_k = k;
            break_v = v;
            continue;
        }
        if (break_k >= 0) {
            if (xs_[size_t(used_ - 1)] != float(first_index + break_k))
                push(break_v, float(first_index + break_k));
            break_k = -1;
        }
        if (v > hi)
            hi = v;
        if (v < lo)
            lo = v;
        const int c = column(m, float(first_index + k));
        if (open && c == col) {
            if (v < v_low) {
                v_low = v;
                k_low = k;
            }
            if (v == v_low)
                k_low_end = k;
            if (v > v_high) {
                v_high = v;
                k_high = k;
            }
            if (v == v_high)
                k_high_end = k;
            k_last = k;
            v_last = v;
            continue;
        }
        flush();
        open = true;
        col = c;
        k_first = k_low = k_low_end = k_high = k_high_end = k_last = k;
        v_first = v_low = v_high = v_last = v;
    }
    flush();
    if (break_k >= 0 && xs_[size_t(used_ - 1)] != float(first_index + break_k))
        push(break_v, float(first_index + break_k));
    return used_;
}

int LineReducer::reduce_points(const float *ring, int n, int first_pos, int count, int first_index,
                               const Mapping &m, float &hi, float &lo)
{
    reserve(count);
    // Rows -1 and height stand for every row above and below the view.
    const int rows = int(m.height) + 2;
    const size_t words = size_t(rows + 63) / 64;
    if (rows_seen_.size() < words) {
        rows_seen_.assign(words, 0);
        rows_touched_.clear();
        rows_touched_.reserve(words);
    }
    const auto clear_rows = [&]() {
        for (int w : rows_touched_)
            rows_seen_[size_t(w)] = 0;
        rows_touched_.clear();
    };
    clear_rows();
    bool open = false;
    int col = 0;
    int p = first_pos;
    for (int k = 0; k < count; ++k) {
        const float v = ring[p];
        if (++p == n)
            p = 0;
        // A non-finite point is not drawn.
        if (!std::isfinite(v))
            continue;
        if (v > hi)
            hi = v;
        if (v < lo)
            lo = v;
        const int c = column(m, float(first_index + k));
        if (!open || c != col) {
            clear_rows();
            open = true;
            col = c;
        }
        const int r = row(m, v) + 1;
        const size_t w = size_t(r) / 64;
        const std::uint64_t bit = std::uint64_t(1) << (r % 64);
        if (rows_seen_[w] & bit)
            continue;
        if (rows_seen_[w] == 0)
            rows_touched_.push_back(int(w));
        rows_seen_[w] |= bit;
        push(v, float(first_index + k));
    }
    return used_;
}
