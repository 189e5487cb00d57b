#include "rowtimeformat.h"

#include <QDateTime>
#include <charconv>

void RowTimeFormat::append(qint64 ms, std::string &out)
{
    char buf[64];
    if (mode_ == Relative) {
        const auto r = std::to_chars(buf, buf + sizeof buf, double(ms - start_ms_) / 1000.0,
                                     std::chars_format::fixed, 3);
        out.append(buf, size_t(r.ptr - buf));
        return;
    }
    const qint64 second = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
    if (second != second_) {
        second_ = second;
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(second * 1000);
        const QDateTime offset = local.toOffsetFromUtc(local.offsetFromUtc());
        const QString text = offset.toString(Qt::ISODate);
        // "2026-12-10T05:30:01+01:00" or "...Z": split before the zone.
        const int zone = std::min(19, int(text.size()));
        prefix_ = text.left(zone).toStdString() + '.';
        zone_ = text.mid(zone).toStdString();
    }
    const int milli = int(ms - second * 1000);
    out += prefix_;
    buf[0] = char('0' + milli / 100);
    buf[1] = char('0' + milli / 10 % 10);
    buf[2] = char('0' + milli % 10);
    out.append(buf, 3);
    out += zone_;
}
