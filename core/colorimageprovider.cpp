#include "colorimageprovider.h"

#include <QGraphicsDropShadowEffect>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QPainter>

ColorImageProvider::ColorImageProvider()
    : QQuickImageProvider(QQuickImageProvider::Pixmap)
{
}

QImage ColorImageProvider::render(const QString &id)
{
    const int first = id.indexOf('/');
    const int second = first < 0 ? -1 : id.indexOf('/', first + 1);
    if (second < 0)
        return QImage();
    const QString tint = id.left(first);
    const QString shadow = id.mid(first + 1, second - first - 1);
    const QString path = id.mid(second + 1);

    QImage image(path);
    if (image.isNull())
        return QImage();
    if (!tint.isEmpty()) {
        image = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
        const QColor c(tint);
        for (int y = 0; y < image.height(); ++y) {
            auto *px = reinterpret_cast<uchar *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x, px += 4) {
                const int a = px[3];
                if (a == 0)
                    continue;
                // Premultiplied: the colour is scaled by the pixel's alpha.
                px[0] = uchar(c.red() * a / 255);
                px[1] = uchar(c.green() * a / 255);
                px[2] = uchar(c.blue() * a / 255);
            }
        }
    }

    QGraphicsScene scene;
    auto *item = new QGraphicsPixmapItem(QPixmap::fromImage(image));
    auto *effect = new QGraphicsDropShadowEffect;
    effect->setBlurRadius(10);
    effect->setColor(QColor(shadow.isEmpty() ? QStringLiteral("#D0D0D0") : shadow));
    effect->setOffset(0, 0);
    item->setGraphicsEffect(effect);
    scene.addItem(item);

    QImage out(image.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    scene.render(&painter, QRectF(), QRectF(0, 0, image.width(), image.height()));
    painter.end();
    return out;
}

QPixmap ColorImageProvider::requestPixmap(const QString &id, QSize *, const QSize &)
{
    return QPixmap::fromImage(render(id));
}
