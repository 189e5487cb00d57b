#ifndef OFFSCREENCHART_H
#define OFFSCREENCHART_H

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <memory>
#include <vector>

#include "chartframepass.h"
#include "chartstate.h"
#include "datahub.h"

// Runs the chart's frame pass on an offscreen framebuffer and reads the
// pixels back raw: image row 0 is GL row 0, which the chart puts at the
// item's top (NDC y = -1). Single-sampled, lines are smoothed into their
// alpha; multisampled (the window's 2 samples) the smoothing gives way and
// colours come out exact.
class OffscreenChart
{
public:
    OffscreenChart(int w, int h, int samples = 0) : w_(w), h_(h)
    {
        surface_.setFormat(QSurfaceFormat::defaultFormat());
        surface_.create();
        context_.setFormat(QSurfaceFormat::defaultFormat());
        ok_ = context_.create() && context_.makeCurrent(&surface_);
        if (!ok_)
            return;
        QOpenGLFramebufferObjectFormat format;
        format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
        format.setSamples(samples);
        fbo_ = std::make_unique<QOpenGLFramebufferObject>(w, h, format);
        fbo_->bind();
        ok_ = pass_.initialize(2);
    }
    ~OffscreenChart()
    {
        if (ok_ || context_.isValid()) {
            context_.makeCurrent(&surface_);
            pass_.destroy();
            fbo_.reset();
            context_.doneCurrent();
        }
    }

    bool ok() const { return ok_; }
    ChartFramePass &pass() { return pass_; }

    quint32 frame(ChartState &s, DataHub *hub)
    {
        context_.makeCurrent(&surface_);
        fbo_->bind();
        context_.functions()->glViewport(0, 0, w_, h_);
        const quint32 bits = pass_.frame(s, hub, QSizeF(w_, h_));
        context_.functions()->glFinish();
        return bits;
    }

    QImage read()
    {
        context_.makeCurrent(&surface_);
        QImage out(w_, h_, QImage::Format_RGBA8888);
        if (fbo_->format().samples() > 0) {
            QOpenGLFramebufferObject plain(w_, h_);
            QOpenGLFramebufferObject::blitFramebuffer(&plain, fbo_.get());
            plain.bind();
            read_bound(out);
            fbo_->bind();
        } else {
            fbo_->bind();
            read_bound(out);
        }
        return out;
    }

    QImage draw(ChartState &s, DataHub *hub)
    {
        frame(s, hub);
        return read();
    }

private:
    void read_bound(QImage &out)
    {
        std::vector<uchar> buf(size_t(w_) * size_t(h_) * 4);
        auto *f = context_.functions();
        f->glPixelStorei(GL_PACK_ALIGNMENT, 1);
        f->glReadPixels(0, 0, w_, h_, GL_RGBA, GL_UNSIGNED_BYTE, buf.data());
        for (int r = 0; r < h_; ++r)
            memcpy(out.scanLine(r), buf.data() + size_t(r) * size_t(w_) * 4, size_t(w_) * 4);
    }

    int w_;
    int h_;
    bool ok_ = false;
    QOffscreenSurface surface_;
    QOpenGLContext context_;
    std::unique_ptr<QOpenGLFramebufferObject> fbo_;
    ChartFramePass pass_;
};

#endif
