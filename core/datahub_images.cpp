#include "datahub.h"

#include <QMutexLocker>

namespace {

const char *file_format(int code)
{
    static const char *names[] = {"BMP", "GIF", "JPG", "PNG", "PBM", "PGM", "PPM", "XBM", "XPM", "SVG"};
    return (code >= ImageBMP && code <= ImageSVG) ? names[code - ImageBMP] : nullptr;
}

int format_depth(QImage::Format format)
{
    // QImage reports the depth of a format only through an image of it.
    return QImage(1, 1, format).depth();
}

QImage decode(const Image &r)
{
    if (r.size <= 0 || r.data.size() <= 0)
        return QImage();
    const int size = std::min(r.size, r.data.size());
    if (const char *name = file_format(r.format))
        return QImage::fromData(reinterpret_cast<const uchar *>(r.data.constData()), size, name);
    if (r.format <= QImage::Format_Invalid || r.format >= QImage::NImageFormats || r.width <= 0 || r.height <= 0)
        return QImage();
    const auto format = static_cast<QImage::Format>(r.format);
    const qint64 line = ((qint64(r.width) * format_depth(format) + 31) / 32) * 4;
    // Raw pixels that do not fill the picture would be read past the record;
    // compared by division, since line × height may not fit in 64 bits.
    if (line > size || r.height > size / line)
        return QImage();
    return QImage(reinterpret_cast<const uchar *>(r.data.constData()), r.width, r.height, int(line), format).copy();
}

}

int DataHub::image_count()
{
    std::lock_guard<DataLock> locker(data_lock_);
    DataEngineInterface *engine = engine_loader_.engine();
    return engine ? engine->images.size() : 0;
}

QImage DataHub::image(int index)
{
    std::lock_guard<DataLock> locker(data_lock_);
    QImage result;
    DataEngineInterface *engine = engine_loader_.engine();
    if (engine && index >= 0 && index < engine->images.size() && engine->images.at(index))
        result = decode(*engine->images.at(index));
    if (result.isNull()) {
        if (placeholder_.isNull())
            placeholder_.load(QStringLiteral(":/content/place_holder_img.png"), "png");
        result = placeholder_;
    }
    return result;
}
