#include <QObject>
#include <QtEndian>
#include <algorithm>
#include <cstring>

#include "../enginerecords.h"

namespace {

constexpr int kTailSize = 4;
constexpr int kMaxValues = 1024;
// Longest body waited for; without a tail in it the bytes are garbage.
constexpr int kMaxBody = kMaxValues * 4 + kTailSize;
constexpr int kHeaderWords = 5;
constexpr int kMaxImage = 16 << 20;
constexpr int kMaxImageId = 63;
constexpr int kMaxFormat = 34;

// Start of the first tail at or after from and at most at last, or -1.
int find_tail(const char *data, int from, int last, int length)
{
    // Look for the 0x80 byte, third of the tail.
    int i = from + 2;
    const int stop = std::min(length - 1, last + 3);
    while (i < stop) {
        const auto *hit = static_cast<const char *>(std::memchr(data + i, 0x80, size_t(stop - i)));
        if (!hit)
            return -1;
        i = int(hit - data);
        if (data[i - 2] == 0 && data[i - 1] == 0 && static_cast<unsigned char>(data[i + 1]) == 0x7F)
            return i - 2;
        ++i;
    }
    return -1;
}

inline qint32 word(const char *p) { return qFromLittleEndian<qint32>(p); }

}

// Little-endian float frames closed by a positive-infinity tail, with
// pictures announced by a five-word header and two tails.
class ZazuZavuv : public QObject, public DataEngineInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID DataEngineInterface_iid FILE "ZazuZavuv.json")
    Q_INTERFACES(DataEngineInterface)
public:
    void process(const char *data, int length) override
    {
        records_.begin();
        int pos = 0;
        while (pos < length) {
            const int tail = find_tail(data, pos, pos + kMaxBody - kTailSize, length);
            if (tail < 0) {
                if (length - pos < kMaxBody)
                    break; // the frame has not fully arrived
                records_.add(pos, pos + kMaxBody - 1, 0, false);
                pos += kMaxBody;
                continue;
            }
            const int count = tail - pos;
            const int gap = count % 4;
            const int start = pos + gap;

            if (count - gap == kHeaderWords * 4) {
                const int result = try_image(data, length, start, tail);
                if (result == kWait)
                    break;
                if (result >= 0) {
                    pos = result;
                    continue;
                }
            }

            Frame &f = records_.add(start, tail + kTailSize - 1, 0, true);
            for (const char *p = data + start; p < data + tail; p += 4)
                f.values.push_back(qFromLittleEndian<float>(p));
            pos = tail + kTailSize;
        }
    }

private:
    static constexpr int kWait = -2;
    static constexpr int kNotImage = -1;

    // A plausible header followed by a second tail is a picture frame.
    // Returns the position after it, kWait when more bytes are needed to
    // decide or to hold the payload, kNotImage otherwise.
    int try_image(const char *data, int length, int start, int tail)
    {
        const char *h = data + start;
        const qint32 id = word(h), size = word(h + 4), width = word(h + 8), height = word(h + 12),
                     format = word(h + 16);
        if (id < 0 || id > kMaxImageId || size < 0 || size > kMaxImage || width < 0 || height < 0
            || format < 0 || format > kMaxFormat)
            return kNotImage;
        const int second = tail + kTailSize;
        const int seen = std::min(length - second, kTailSize);
        static const char kTail[kTailSize] = {0, 0, char(0x80), 0x7F};
        if (std::memcmp(data + second, kTail, size_t(seen)) != 0)
            return kNotImage;
        if (seen < kTailSize)
            return kWait;
        const int payload = second + kTailSize;
        if (qint64(payload) + size > length)
            return kWait;
        Image &img = records_.image(id);
        img.data.resize(size);
        if (size)
            std::memcpy(img.data.data(), data + payload, size_t(size));
        img.size = size;
        img.width = width;
        img.height = height;
        img.format = format;
        records_.add(start, payload + size - 1, size, false);
        return payload + size;
    }

    EngineRecords records_{this};
};

#include "zazuzavuv.moc"
