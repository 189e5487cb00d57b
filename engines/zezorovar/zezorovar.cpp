#include <QObject>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "../enginerecords.h"

namespace {

constexpr int kMaxLine = 1 << 20;        // longest line waited for
constexpr int kMaxImage = 16 << 20;      // largest picture payload
constexpr int kMaxImageId = 63;
constexpr int kMaxFormat = 34;
constexpr size_t kMaxValues = 1024;      // wider rows are shown as text

inline bool is_blank(char c) { return c == ' ' || c == '\t'; }

// One decimal number as printf writes it, blanks around it allowed.
bool parse_number(const char *b, const char *e, float &out)
{
    while (b < e && is_blank(*b))
        ++b;
    while (e > b && is_blank(e[-1]))
        --e;
    if (b == e)
        return false;
    if (*b == '+')
        ++b;
    double v = 0.0;
    const auto r = std::from_chars(b, e, v);
    if (r.ec == std::errc::result_out_of_range) {
        // Beyond double: the sign decides which infinity.
        v = (*b == '-') ? -HUGE_VAL : HUGE_VAL;
    } else if (r.ec != std::errc() || r.ptr != e) {
        return false;
    }
    out = float(v);
    return true;
}

bool parse_int(const char *b, const char *e, long long &out)
{
    while (b < e && is_blank(*b))
        ++b;
    while (e > b && is_blank(e[-1]))
        --e;
    if (b == e)
        return false;
    const auto r = std::from_chars(b, e, out);
    return r.ec == std::errc() && r.ptr == e;
}

struct ImageHeader {
    int id, size, width, height, format;
};

// "image:ID,SIZE,WIDTH,HEIGHT,FORMAT" (the line without its end).
bool parse_image_header(const char *b, const char *e, ImageHeader &h)
{
    static const char tag[] = "image:";
    if (e - b < 6 || std::memcmp(b, tag, 6) != 0)
        return false;
    b += 6;
    long long v[5];
    for (int i = 0; i < 5; ++i) {
        const char *comma = i < 4 ? static_cast<const char *>(std::memchr(b, ',', size_t(e - b))) : e;
        if (!comma || !parse_int(b, comma, v[i]))
            return false;
        b = comma + 1;
    }
    if (v[0] < 0 || v[0] > kMaxImageId || v[1] < 0 || v[1] > kMaxImage || v[4] < 0 || v[4] > kMaxFormat
        || v[2] < 0 || v[2] > INT32_MAX || v[3] < 0 || v[3] > INT32_MAX)
        return false;
    h = {int(v[0]), int(v[1]), int(v[2]), int(v[3]), int(v[4])};
    return true;
}

}

// Text lines of comma-separated numbers, with pictures announced by an
// "image:" header line.
class ZezoRovar : public QObject, public DataEngineInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID DataEngineInterface_iid FILE "ZezoRovar.json")
    Q_INTERFACES(DataEngineInterface)
public:
    void process(const char *data, int length) override
    {
        records_.begin();
        int pos = 0;
        while (pos < length) {
            const int window = std::min(length - pos, kMaxLine);
            const auto *lf = static_cast<const char *>(std::memchr(data + pos, '\n', size_t(window)));
            if (!lf) {
                if (window < kMaxLine)
                    break; // the rest of the line has not arrived yet
                records_.add(pos, pos + kMaxLine - 1, 0, false);
                pos += kMaxLine;
                continue;
            }
            const int end = int(lf - data);
            const char *b = data + pos;
            const char *e = lf;
            if (e > b && e[-1] == '\r')
                --e;

            ImageHeader h;
            if (parse_image_header(b, e, h)) {
                if (qint64(end) + 1 + h.size > length)
                    break; // wait for the whole picture
                Image &img = records_.image(h.id);
                img.data.resize(h.size);
                if (h.size)
                    std::memcpy(img.data.data(), lf + 1, size_t(h.size));
                img.size = h.size;
                img.width = h.width;
                img.height = h.height;
                img.format = h.format;
                records_.add(pos, end + h.size, h.size, false);
                pos = end + h.size + 1;
                continue;
            }

            Frame &f = records_.add(pos, end, 0, false);
            if (parse_values(b, e, f.values))
                f.wave = true;
            else
                f.values.clear();
            pos = end + 1;
        }
    }

private:
    // "prefix:v1,...,vn" or "v1,...,vn".
    static bool parse_values(const char *b, const char *e, std::vector<float> &values)
    {
        if (const auto *colon = static_cast<const char *>(std::memchr(b, ':', size_t(e - b))))
            b = colon + 1;
        if (b == e)
            return false;
        for (;;) {
            const auto *comma = static_cast<const char *>(std::memchr(b, ',', size_t(e - b)));
            const char *field_end = comma ? comma : e;
            float v;
            if (!parse_number(b, field_end, v) || values.size() >= kMaxValues)
                return false;
            values.push_back(v);
            if (!comma)
                return true;
            b = comma + 1;
        }
    }

    EngineRecords records_{this};
};

#include "zezorovar.moc"
