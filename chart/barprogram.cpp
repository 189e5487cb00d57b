#include "barprogram.h"

#include <QOpenGLExtraFunctions>
#include <algorithm>
#include <cmath>
#include <limits>

#include "barnode.h"

bool BarProgram::create(QOpenGLExtraFunctions *f)
{
    f_ = f;
    if (!program_.load(f, QStringLiteral(":/shaders/bar.vsh"), QStringLiteral(":/shaders/bar.fsh")))
        return false;
    program_.use();
    loc_color_ = program_.uniformColorf("color", color_);
    f->glGenVertexArrays(1, &vao_);
    f->glGenBuffers(1, &vbo_);
    vertex_count_ = -1;
    specify(0, false);
    return true;
}

void BarProgram::destroy()
{
    if (!f_)
        return;
    program_.destroy();
    if (vao_)
        f_->glDeleteVertexArrays(1, &vao_);
    if (vbo_)
        f_->glDeleteBuffers(1, &vbo_);
    vao_ = vbo_ = 0;
    vertex_count_ = -1;
}

void BarProgram::specify(int bars, bool force)
{
    bars = std::max(bars, 0);
    if (4 * bars == vertex_count_ && !force)
        return;
    vertex_count_ = 4 * bars;
    vertices_.resize(size_t(8) * size_t(bars), 0.0f);
    f_->glBindVertexArray(vao_);
    f_->glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    f_->glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(size_t(vertex_count_) * 8), nullptr, GL_DYNAMIC_DRAW);
    f_->glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 8, nullptr);
    f_->glEnableVertexAttribArray(0);
    f_->glVertexAttribDivisor(0, 0);
    f_->glBindVertexArray(0);
    f_->glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void BarProgram::draw(BarNode &node, const Bars &b)
{
    // Until a bar is drawn the extremes are the start values, which say
    // "nothing drawn" rather than the last frame's bars.
    node.maximum = kNothingMax;
    node.minimum = kNothingMin;
    const int k = node.count;
    if (b.num_points <= 0 || (b.left < 0 && b.right < 0) || k <= 0 || b.right < b.left)
        return;
    const int r = std::min(k - 1, std::max(b.left, 0));
    const int o = std::max(std::min(b.right, k - 1), 0);
    const int drawn = o - r + 1;
    if (drawn <= 0)
        return;
    specify(drawn, b.force);

    const double x0 = b.rect.x();
    const double y0 = b.rect.y();
    const double height = b.rect.height();
    const double base_y = y0 + height * b.base;
    const double bar_w = b.rect.width() / double(b.right - b.left + 1);
    // With top = bottom there is no level to draw at; the values still count.
    const bool mapped = b.top != b.bottom && std::isfinite(b.top) && std::isfinite(b.bottom);

    // Bars may all lie below zero, so the largest starts from the lowest.
    double vmax = std::numeric_limits<double>::lowest();
    double vmin = std::numeric_limits<double>::max();
    float *out = vertices_.data();
    for (int i = r; i <= o; ++i) {
        const double v = node.datas_[size_t(i)];
        if (v > vmax)
            vmax = v;
        if (v < vmin)
            vmin = v;
        const double e = mapped ? (b.top - v) * height / (b.top - b.bottom) : 0.0;
        node.pixel_tops[size_t(i)] = b.item_height * e * 0.5;
        const double d = x0 + double(i - b.left) * bar_w;
        const double f = d + bar_w;
        const double g = y0 + e;
        const double upper = std::min(g, base_y);
        const double lower = std::max(g, base_y);
        const float quad[8] = {float(d), float(upper), float(d), float(lower),
                               float(f), float(upper), float(f), float(lower)};
        std::copy(quad, quad + 8, out);
        out += 8;
    }
    if (vmax >= vmin) {
        node.maximum = vmax;
        node.minimum = vmin;
    }
    if (!mapped)
        return;

    f_->glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    f_->glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(size_t(drawn) * 32), vertices_.data(), GL_DYNAMIC_DRAW);
    f_->glBindBuffer(GL_ARRAY_BUFFER, 0);
    program_.use();
    color_ = b.color;
    program_.uniformColorf(loc_color_, color_);
    f_->glBindVertexArray(vao_);
    f_->glDrawArrays(GL_TRIANGLE_STRIP, 0, vertex_count_);
    f_->glBindVertexArray(0);
}
