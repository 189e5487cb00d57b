#ifndef CHARTHOVER_H
#define CHARTHOVER_H

// The first 2D sample found within 3 pixels of the mouse in the last frame.
struct ChartHover
{
    bool found = false;
    int pixel_x = 0;
    int pixel_y = 0;
    double x = 0.0;
    double y = 0.0;
    int channel = -1;
};

#endif
