#ifndef LINEREDUCER_H
#define LINEREDUCER_H

#include <cstdint>
#include <vector>

// Cuts a line's window down to what its pixels need before it is uploaded.
// Joined lines keep, per pixel column, the first, lowest, highest and last
// sample in time order (the lowest and highest at both ends of a run of
// equal values), which rasterise to the same pixels as the whole series; points keep one sample per occupied pixel. Columns and rows are
// computed with the same float expressions as the line shader. Non-finite
// samples stay where they are, as breaks. The buffers grow to the largest
// window seen and are reused, so a frame allocates nothing.
class LineReducer
{
public:
    struct Mapping {
        float left_index = 0.0f;   // shader uniforms
        float xratio = 0.0f;
        float top_value = 0.0f;
        float yratio = 0.0f;
        float scale = 1.0f;        // the channel's
        float yoffset = 0.0f;
        float width = 0.0f;        // viewport in pixels
        float height = 0.0f;
    };

    // Reduces `count` samples starting at ring position `first_pos` of a
    // ring of `n` floats; sample k gets x = first_index + k. Folds the raw
    // extremes of the finite samples into hi/lo. Returns the vertex count.
    int reduce_joined(const float *ring, int n, int first_pos, int count, int first_index,
                      const Mapping &m, float &hi, float &lo);
    int reduce_points(const float *ring, int n, int first_pos, int count, int first_index,
                      const Mapping &m, float &hi, float &lo);

    const float *values() const { return values_.data(); }
    const float *xs() const { return xs_.data(); }

    static int column(const Mapping &m, float x);
    static int row(const Mapping &m, float value);

private:
    void reserve(int count);
    void push(float value, float x);

    std::vector<float> values_;
    std::vector<float> xs_;
    std::vector<std::uint64_t> rows_seen_;
    std::vector<int> rows_touched_;
    int used_ = 0;
};

#endif
