#include "chartinfborenderer.h"

#include <QMetaObject>
#include <QMutexLocker>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QQuickWindow>

#include "chartstate.h"
#include "ringbufferwave.h"

ChartInFboRenderer::ChartInFboRenderer(std::shared_ptr<ChartState> state)
    : state_(std::move(state))
{
}

ChartInFboRenderer::~ChartInFboRenderer()
{
    if (QOpenGLContext::currentContext())
        pass_.destroy();
}

QOpenGLFramebufferObject *ChartInFboRenderer::createFramebufferObject(const QSize &size)
{
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    int samples = 0;
    {
        QMutexLocker locker(&state_->lock);
        // Called during synchronisation, while the item is alive.
        if (auto *item = qobject_cast<RingBufferWave *>(state_->receiver))
            if ((window_ = item->window()))
                samples = window_->format().samples();
    }
    format.setSamples(std::max(samples, 0));
    return new QOpenGLFramebufferObject(size, format);
}

void ChartInFboRenderer::render()
{
    DataHub *hub;
    int line_width;
    QSizeF size;
    {
        QMutexLocker locker(&state_->lock);
        hub = state_->hub;
        line_width = state_->line_width;
        size = QSizeF(state_->item_width, state_->item_height);
    }
    if (!pass_.initialized()) {
        pass_.initialize(line_width);
        update();
        return;
    }
    const quint32 bits = pass_.frame(*state_, hub, size);
    if (window_)
        window_->resetOpenGLState();
    QMutexLocker locker(&state_->lock);
    // Posting under the lock: the item clears receiver under it before it dies,
    // and its death drops whatever is still queued.
    if (auto *item = static_cast<RingBufferWave *>(state_->receiver); item && bits)
        QMetaObject::invokeMethod(item, [item, bits]() { item->apply_changes(bits); }, Qt::QueuedConnection);
}
