#ifndef IMAGEPROVIDER_H
#define IMAGEPROVIDER_H

#include <QQuickImageProvider>

class DataHub;

// Serves the pictures the data engine decoded: "image://data/<index>".
class ImageProvider : public QQuickImageProvider
{
public:
    explicit ImageProvider(DataHub *hub);
    QPixmap requestPixmap(const QString &id, QSize *size, const QSize &requestedSize) override;

private:
    DataHub *hub_;
};

#endif
