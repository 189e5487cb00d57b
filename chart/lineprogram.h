#ifndef LINEPROGRAM_H
#define LINEPROGRAM_H

#include <QColor>
#include <QtGui/qopengl.h>

#include "shaderprogram.h"

class QOpenGLExtraFunctions;

// The line shader with its vertex buffer: n raw sample values followed by
// n x values, read as (value, index) and, one element on, as
// (next_value, next_index) for the instanced thick-line quads.
class LineProgram
{
public:
    bool create(QOpenGLExtraFunctions *f);
    void destroy();
    // Re-specifies the buffer only when n changes or when forced.
    void specify(int n, bool force);
    void upload_values(int offset, const float *data, int count);
    void upload_x(const float *data, int count);
    // The uniforms shared by every line of a frame.
    void send_shared();
    // Draws the first `count` vertices (at most the capacity).
    void draw_line(const QColor &color, float yoffset, float scale, float z,
                   float line_width, bool fake_continuous, int count);

    bool valid() const { return program_.valid(); }
    int capacity() const { return capacity_; }

    QColor color{QStringLiteral("red")};
    float left_index = 0.0f;
    float right_index = 0.0f;
    float top_value = 0.0f;
    float bottom_value = 0.0f;
    float x_span = 2.0f;
    float y_span = 2.0f;
    float yoffset = 0.0f;
    float scale = 1.0f;
    float xratio = 0.0f;
    float yratio = 0.0f;
    float z = 0.0f;
    float point_size = 1.0f;
    float window_w = 0.0f;
    float window_h = 0.0f;
    float use_instance = 0.0f;

private:
    void lookup();

    QOpenGLExtraFunctions *f_ = nullptr;
    ShaderProgram program_;
    bool looked_up_ = false;
    GLint loc_color_ = -1;
    GLint loc_left_index_ = -1;
    GLint loc_top_value_ = -1;
    GLint loc_yoffset_ = -1;
    GLint loc_scale_ = -1;
    GLint loc_xratio_ = -1;
    GLint loc_yratio_ = -1;
    GLint loc_z_ = -1;
    GLint loc_point_size_ = -1;
    GLint loc_window_size_ = -1;
    GLint loc_use_instance_ = -1;
    GLuint vbo_ = 0;
    GLuint vao_ = 0;
    GLuint ibo_ = 0;
    int capacity_ = 0;
};

#endif
