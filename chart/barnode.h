#ifndef BARNODE_H
#define BARNODE_H

#include <vector>

// The bars of one series of one line: values and, after drawing, the pixel
// distance of each bar's value level from the item's top edge.
class BarNode
{
public:
    void resize(int k);
    void set(int i, double v);

    int count = -1;
    std::vector<double> datas_;
    std::vector<double> pixel_tops;
    double maximum = 0.0;
    double minimum = 0.0;
};

#endif
