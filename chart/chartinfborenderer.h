#ifndef CHARTINFBORENDERER_H
#define CHARTINFBORENDERER_H

#include <QQuickFramebufferObject>
#include <memory>

#include "chartframepass.h"

class ChartState;
class QQuickWindow;

// Runs the chart's frame pass on the render thread into the item's
// multisampled framebuffer and hands what changed back to the item.
class ChartInFboRenderer : public QQuickFramebufferObject::Renderer
{
public:
    explicit ChartInFboRenderer(std::shared_ptr<ChartState> state);
    ~ChartInFboRenderer() override;

    void render() override;
    QOpenGLFramebufferObject *createFramebufferObject(const QSize &size) override;

private:
    std::shared_ptr<ChartState> state_;
    ChartFramePass pass_;
    QQuickWindow *window_ = nullptr;
};

#endif
