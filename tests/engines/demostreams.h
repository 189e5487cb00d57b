#ifndef DEMOSTREAMS_H
#define DEMOSTREAMS_H

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QtEndian>
#include <cmath>
#include <vector>

// The byte streams the demo link produces, built here independently so the
// engines are checked against the wire formats themselves.
namespace demostreams {

inline void values(int k, double out[5])
{
    const double pi = 3.141592653589793;
    const double t = k * 5 / 1000.0;
    out[0] = ((k * 7919) % 3400 - 1700) / 1000.0;
    out[1] = std::sin(2 * pi * t) + std::sin(pi * t);
    out[2] = std::sin(pi * t / 4);
    out[3] = std::sin(4 * pi * t);
    out[4] = std::sin(pi * t);
}

inline QByteArray zezo_sample(int k)
{
    double v[5];
    values(k, v);
    return QString::asprintf("demo:%f,%f,%f,%f,%f\r\n", v[0], v[1], v[2], v[3], v[4]).toLatin1();
}

inline void put_float(QByteArray &out, float f)
{
    char b[4];
    qToLittleEndian(f, b);
    out.append(b, 4);
}

inline void put_word(QByteArray &out, quint32 w)
{
    char b[4];
    qToLittleEndian(w, b);
    out.append(b, 4);
}

inline QByteArray tail() { return QByteArray("\x00\x00\x80\x7f", 4); }

// One ZazuZavuv frame of the given values.
inline QByteArray zazu_frame(const std::vector<float> &values)
{
    QByteArray out;
    for (float v : values)
        put_float(out, v);
    return out + tail();
}

inline QByteArray zazu_sample(int k)
{
    double v[5];
    values(k, v);
    QByteArray out;
    for (double x : v)
        put_float(out, float(x));
    return out + tail();
}

inline QByteArray zazu_csv_line(const QByteArray &line)
{
    QByteArray out;
    for (const QByteArray &field : line.split(',')) {
        bool ok = false;
        const float f = field.trimmed().toFloat(&ok);
        put_float(out, ok ? f : 0.0f);
    }
    return out + tail();
}

inline QByteArray jpeg(int w = 32, int h = 24, QRgb colour = qRgb(200, 40, 40))
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

inline QByteArray zezo_image(const QByteArray &picture)
{
    return QString::asprintf("image:0,%d,%d,%d,%d\n", picture.size(), 30, 40, 27).toLatin1() + picture;
}

inline QByteArray zazu_image(const QByteArray &picture)
{
    QByteArray out;
    for (quint32 w : {0u, quint32(picture.size()), 200u, 300u, 27u, 0x7F800000u, 0x7F800000u})
        put_word(out, w);
    return out + picture;
}

}

#endif
