#ifndef CHARTCURSOR_H
#define CHARTCURSOR_H

#include <QVector>

// A point cursor (sample index) or an x cursor (2D x value). The id is the
// record's position in its list; -1 marks a free record.
struct ChartCursor
{
    int id = -1;
    int point_index = 0;
    int line = -1;
    double x = 0.0;
    double pixel_x = 0.0;
    bool hide_point = false;
    bool hide_text = false;
    // Curve points under an x cursor in the last frame.
    QVector<int> pixel_ys;
    QVector<int> pixel_xs;
    QVector<double> y_values;
    QVector<double> x_values;
    QVector<int> channels;

    void clear_intersections()
    {
        pixel_ys.clear();
        pixel_xs.clear();
        y_values.clear();
        x_values.clear();
        channels.clear();
    }
};

#endif
