#ifndef CHARTFRAMEPASS_H
#define CHARTFRAMEPASS_H

#include <QOpenGLExtraFunctions>
#include <QSizeF>

#include "barprogram.h"
#include "linereducer.h"
#include "lineprogram.h"

class ChartState;
class DataHub;
class LineNode;

// Draws one chart frame into the bound framebuffer: every shown line from
// the hub's rings, the bar series, the 2D hover point and the x-cursor
// intersections, then the extremes and the automatic scales. Needs only a
// current OpenGL context, so it runs the same inside the Qt Quick renderer
// and on an offscreen framebuffer.
class ChartFramePass
{
public:
    // First frame of a renderer: GL settings and both programs.
    bool initialize(int line_width);
    // Frees the GPU objects; needs the owning context current.
    void destroy();
    bool initialized() const { return initialized_; }
    // Clears and draws; returns the ChartState::Change bits of what changed.
    quint32 frame(ChartState &s, DataHub *hub, const QSizeF &size);

    const LineProgram &line_program() const { return line_; }
    // Vertices the last frame drew for its lines, after any reduction.
    long long drawn_vertices() const { return drawn_vertices_; }

private:
    struct Frame {
        DataHub *hub = nullptr;
        double w = 0.0;
        double h = 0.0;
        int n = 0;           // hub size
        int lines = 0;       // hub channel count
        int head = 0;
        int first = 0;
        int last = 0;
        double x_span = 0.0;
        float viewport_w = 0.0f;  // device pixels the frame is drawn into
        float viewport_h = 0.0f;
        bool y_mapped = false;
        bool x_mapped = false;
        double x_max = 0.0;  // running 2D x range of the frame
        double x_min = 0.0;
        bool force = false;
        quint32 bits = 0;
    };

    void line_pass(ChartState &s, Frame &fr, LineNode &node);
    bool reduces(const ChartState &s, const Frame &fr, int samples) const;
    void two_d_x(ChartState &s, Frame &fr, LineNode &node);
    void bar_pass(ChartState &s, Frame &fr, LineNode &node);
    void histog_pass(ChartState &s, Frame &fr, LineNode &node);
    void freq_pass(ChartState &s, Frame &fr, LineNode &node);

    QOpenGLExtraFunctions f_;
    LineProgram line_;
    BarProgram bar_;
    LineReducer reducer_;
    bool initialized_ = false;
    long long drawn_vertices_ = 0;
};

#endif
