#ifndef COLORIMAGEPROVIDER_H
#define COLORIMAGEPROVIDER_H

#include <QQuickImageProvider>

// Serves icons re-coloured with a tint and given a soft shadow:
// "image://color/<tint>/<shadow>/<path>"; the path keeps its own slashes.
class ColorImageProvider : public QQuickImageProvider
{
public:
    ColorImageProvider();
    QPixmap requestPixmap(const QString &id, QSize *size, const QSize &requestedSize) override;
    // The same picture as an image, for callers without a pixmap context.
    static QImage render(const QString &id);
};

#endif
