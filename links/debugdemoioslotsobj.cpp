#include "debugdemoioslotsobj.h"

#include <QDateTime>
#include <QFile>
#include <QtEndian>
#include <cmath>

#include "datahub.h"
#include "debugdemo.h"

namespace {

const double kPi = 3.141592653589793;
const char kTail[4] = {0x00, 0x00, char(0x80), 0x7F};

void put_word(QByteArray &out, quint32 word)
{
    char bytes[4];
    qToLittleEndian(word, bytes);
    out.append(bytes, 4);
}

void put_float(QByteArray &out, float value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

// The generator's sequence is part of the demo's output: each I/O thread
// starts from the default seed.
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
int next_random()
{
    return qrand();
}
QT_WARNING_POP

QByteArray csv_frames(QFile &file)
{
    QByteArray out;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        for (const QByteArray &field : line.split(','))
            put_float(out, field.trimmed().toFloat());
        out.append(kTail, 4);
    }
    return out;
}

QByteArray image_header(bool zezo, int size)
{
    if (zezo)
        return QString::asprintf("image:0,%d,%d,%d,%d\n", size, 30, 40, 27).toLatin1();
    QByteArray out;
    for (quint32 word : {0u, quint32(size), 200u, 300u, 27u, 0x7F800000u, 0x7F800000u})
        put_word(out, word);
    return out;
}

}

DebugDemoIOSlotsObj::DebugDemoIOSlotsObj(DebugDemo *owner)
    : owner_(owner)
{
}

void DebugDemoIOSlotsObj::onTickTimeoutSlot()
{
    owner_->onTickTimeout();
}

void DebugDemoIOSlotsObj::readyReadZazuZavuvSlot()
{
    data_period(Zazu);
}

void DebugDemoIOSlotsObj::readyReadZezoRovarSlot()
{
    data_period(Zezo);
}

void DebugDemoIOSlotsObj::readyReadZazuZavuvPicSlot()
{
    picture_period(Zazu);
}

void DebugDemoIOSlotsObj::readyReadZezoRovarPicSlot()
{
    picture_period(Zezo);
}

QByteArray DebugDemoIOSlotsObj::next_sample(Format format)
{
    elapsed_ms += quint64(owner_->timeout());
    const double t = double(elapsed_ms) / 1000;
    const double v[5] = {
        double(next_random() % 3400 - 1700) / 1000,
        std::sin(2 * kPi * t) + std::sin(kPi * t),
        std::sin(kPi * t / 4),
        std::sin(4 * kPi * t),
        std::sin(kPi * t),
    };
    if (format == Zezo)
        return QString::asprintf("demo:%f,%f,%f,%f,%f\r\n", v[0], v[1], v[2], v[3], v[4]).toLatin1();
    QByteArray out;
    for (double x : v)
        put_float(out, float(x));
    out.append(kTail, 4);
    return out;
}

QByteArray DebugDemoIOSlotsObj::next_csv(Format format)
{
    const QStringList &files = owner_->csv_files_;
    if (csv_index >= quint64(files.size()))
        csv_index = 0;
    QFile file(owner_->csv_dir() + QLatin1Char('/') + files.at(int(csv_index)));
    ++csv_index;
    // A file that cannot be opened reads as empty.
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return format == Zezo ? file.readAll() : csv_frames(file);
}

void DebugDemoIOSlotsObj::data_period(Format format)
{
    DataHub *hub = owner_->datahub();
    if (!hub)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    QByteArray chunk;
    if (!owner_->send_csv_list())
        chunk = next_sample(format);
    else if (!owner_->csv_files_.isEmpty())
        chunk = next_csv(format);
    else
        return;
    hub->PutReceivedData(chunk.constData(), chunk.size(), now);
}

void DebugDemoIOSlotsObj::picture_period(Format format)
{
    const QStringList &files = owner_->picture_files_;
    DataHub *hub = owner_->datahub();
    if (files.isEmpty() || !hub)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    if (picture_index >= quint64(files.size()))
        picture_index = 0;
    QFile file(owner_->picture_dir() + QLatin1Char('/') + files.at(int(picture_index)));
    ++picture_index;
    QByteArray picture;
    if (file.open(QIODevice::ReadOnly))
        picture = file.readAll();
    const QByteArray header = image_header(format == Zezo, picture.size());
    hub->PutReceivedData(header.constData(), header.size(), now);
    hub->PutReceivedData(picture.constData(), picture.size(), now);
}
