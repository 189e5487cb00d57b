#include "lineprogram.h"

#include <QOpenGLExtraFunctions>
#include <algorithm>

namespace {

const void *byte_offset(size_t n)
{
    return reinterpret_cast<const void *>(n);
}

}

bool LineProgram::create(QOpenGLExtraFunctions *f)
{
    f_ = f;
    if (!program_.load(f, QStringLiteral(":/shaders/line.vsh"), QStringLiteral(":/shaders/line.fsh")))
        return false;
    looked_up_ = false;
    f->glGenVertexArrays(1, &vao_);
    f->glGenBuffers(1, &vbo_);
    f->glGenBuffers(1, &ibo_);
    f->glBindVertexArray(vao_);
    static const GLuint indices[4] = {0, 1, 2, 3};
    f->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ibo_);
    f->glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(indices), indices, GL_STATIC_DRAW);
    f->glBindVertexArray(0);
    f->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    capacity_ = -1;
    specify(0, false);
    return true;
}

void LineProgram::destroy()
{
    if (!f_)
        return;
    program_.destroy();
    if (vao_)
        f_->glDeleteVertexArrays(1, &vao_);
    if (vbo_)
        f_->glDeleteBuffers(1, &vbo_);
    if (ibo_)
        f_->glDeleteBuffers(1, &ibo_);
    vao_ = vbo_ = ibo_ = 0;
    capacity_ = 0;
}

void LineProgram::specify(int n, bool force)
{
    if (n < 0)
        n = 0;
    if (n == capacity_ && !force)
        return;
    capacity_ = n;
    const size_t half = size_t(n) * sizeof(float);
    f_->glBindVertexArray(vao_);
    f_->glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    // One float more than the two halves: the shifted next_index attribute
    // of the last vertex reads one element past the x half.
    f_->glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(2 * half + sizeof(float)), nullptr, GL_DYNAMIC_DRAW);
    f_->glVertexAttribPointer(0, 1, GL_FLOAT, GL_FALSE, sizeof(float), byte_offset(0));
    f_->glVertexAttribPointer(1, 1, GL_FLOAT, GL_FALSE, sizeof(float), byte_offset(half));
    f_->glVertexAttribPointer(2, 1, GL_FLOAT, GL_FALSE, sizeof(float), byte_offset(sizeof(float)));
    f_->glVertexAttribPointer(3, 1, GL_FLOAT, GL_FALSE, sizeof(float), byte_offset(half + sizeof(float)));
    for (GLuint i = 0; i < 4; ++i)
        f_->glEnableVertexAttribArray(i);
    f_->glBindVertexArray(0);
    f_->glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void LineProgram::upload_values(int offset, const float *data, int count)
{
    if (count <= 0 || offset < 0 || offset + count > capacity_)
        return;
    f_->glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    f_->glBufferSubData(GL_ARRAY_BUFFER, GLintptr(size_t(offset) * sizeof(float)),
                        GLsizeiptr(size_t(count) * sizeof(float)), data);
    f_->glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void LineProgram::upload_x(const float *data, int count)
{
    if (count <= 0 || count > capacity_)
        return;
    f_->glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    f_->glBufferSubData(GL_ARRAY_BUFFER, GLintptr(size_t(capacity_) * sizeof(float)),
                        GLsizeiptr(size_t(count) * sizeof(float)), data);
    f_->glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void LineProgram::lookup()
{
    loc_color_ = program_.uniformColorf("color", QColor(QStringLiteral("red")));
    loc_left_index_ = program_.location("left_index");
    loc_top_value_ = program_.location("top_value");
    loc_yoffset_ = program_.location("yoffset");
    loc_scale_ = program_.location("scale");
    loc_xratio_ = program_.location("xratio");
    loc_yratio_ = program_.location("yratio");
    loc_z_ = program_.location("z");
    loc_point_size_ = program_.location("point_size");
    loc_window_size_ = program_.location("window_size");
    loc_use_instance_ = program_.location("use_instance");
    looked_up_ = true;
}

void LineProgram::send_shared()
{
    if (!program_.use())
        return;
    if (!looked_up_)
        lookup();
    xratio = x_span / (right_index - left_index);
    yratio = y_span / (top_value - bottom_value);
    program_.uniformFloat(loc_left_index_, left_index);
    program_.uniformFloat(loc_top_value_, top_value);
    program_.uniformFloat(loc_xratio_, xratio);
    program_.uniformFloat(loc_yratio_, yratio);
    program_.uniformFloat(loc_point_size_, point_size);
    program_.uniformVec2f(loc_window_size_, window_w, window_h);
    program_.uniformFloat(loc_use_instance_, use_instance);
}

void LineProgram::draw_line(const QColor &c, float yoff, float sc, float zv,
                            float line_width, bool fake_continuous, int count)
{
    count = std::max(0, std::min(count, capacity_));
    if (!program_.use())
        return;
    color = c;
    yoffset = yoff;
    scale = sc;
    z = zv;
    program_.uniformColorf(loc_color_, color);
    program_.uniformFloat(loc_yoffset_, yoffset);
    program_.uniformFloat(loc_scale_, scale);
    program_.uniformFloat(loc_z_, z);
    f_->glBindVertexArray(vao_);
    f_->glLineWidth(line_width);
    if (use_instance > 0.5f) {
        f_->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ibo_);
        for (GLuint i = 0; i < 4; ++i)
            f_->glVertexAttribDivisor(i, 1);
        if (count > 1)
            f_->glDrawElementsInstanced(GL_TRIANGLE_STRIP, 4, GL_UNSIGNED_INT, nullptr, count - 1);
    } else {
        for (GLuint i = 0; i < 4; ++i)
            f_->glVertexAttribDivisor(i, 0);
        f_->glDrawArrays(fake_continuous ? GL_LINE_STRIP : GL_POINTS, 0, count);
    }
    f_->glBindVertexArray(0);
    f_->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}
