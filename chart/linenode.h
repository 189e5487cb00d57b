#ifndef LINENODE_H
#define LINENODE_H

#include <cfloat>
#include <complex>
#include <memory>
#include <vector>

#include "barnode.h"

// Per shown line: where its window lies in the ring this frame, its
// extremes and its series records, kept from frame to frame.
class LineNode
{
public:
    int first_pos = 0;
    int last_pos = 0;
    float offset = 0.0f;
    int shift = 0;
    float scale = 1.0f;
    int ordinal = 0;
    int channel = 0;
    float last_value = 0.0f;
    float maximum = -FLT_MAX;
    float minimum = FLT_MAX;
    int x_channel = -1;
    std::unique_ptr<BarNode> bar;
    std::unique_ptr<BarNode> histog;
    std::unique_ptr<BarNode> freq;
    std::vector<std::complex<double>> spectrum;
};

#endif
