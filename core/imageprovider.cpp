#include "imageprovider.h"

#include "datahub.h"

ImageProvider::ImageProvider(DataHub *hub)
    : QQuickImageProvider(QQuickImageProvider::Pixmap), hub_(hub)
{
}

QPixmap ImageProvider::requestPixmap(const QString &id, QSize *size, const QSize &)
{
    if (size)
        *size = QSize(100, 50);
    return QPixmap::fromImage(hub_->image(id.toInt()));
}
