#ifndef BARPROGRAM_H
#define BARPROGRAM_H

#include <QColor>
#include <QRectF>
#include <QtGui/qopengl.h>
#include <cfloat>
#include <vector>

#include "shaderprogram.h"

class BarNode;
class QOpenGLExtraFunctions;

// The bar shader with its quad buffer (two floats per vertex, four vertices
// per bar) and the routine that turns a BarNode into bars.
class BarProgram
{
public:
    struct Bars {
        QRectF rect;        // NDC: x, y of the top-left corner, width, height
        QColor color;
        double top = 0.0;   // value at the rectangle's top edge
        double bottom = 0.0;
        double base = 0.0;  // fraction of the height where bars start
        int left = 0;       // shown bin range
        int right = 0;
        int num_points = 0;
        double item_height = 0.0;
        bool force = false;
    };

    // Extremes that met no value: no bar drawn, no x measured.
    static constexpr double kNothingMax = DBL_MIN;
    static constexpr double kNothingMin = DBL_MAX;

    bool create(QOpenGLExtraFunctions *f);
    void destroy();
    void specify(int bars, bool force);
    void draw(BarNode &node, const Bars &b);

    bool valid() const { return program_.valid(); }
    int vertex_count() const { return vertex_count_; }

private:
    QOpenGLExtraFunctions *f_ = nullptr;
    ShaderProgram program_;
    GLint loc_color_ = -1;
    QColor color_{QStringLiteral("red")};
    GLuint vbo_ = 0;
    GLuint vao_ = 0;
    int vertex_count_ = -1;
    std::vector<float> vertices_;
};

#endif
