#include "intakecounters.h"

#include <QStringList>

void IntakeCounters::reset()
{
    for (auto &v : values_)
        v.store(0, std::memory_order_relaxed);
}

const char *IntakeCounters::name(Counter c)
{
    static const char *const names[Count] = {
        "received_bytes", "decoded_bytes", "undecoded_bytes", "frames", "rows", "rows_too_wide",
        "rows_width_change", "images", "sent_bytes", "link_errors", "dropped_bytes",
    };
    return names[c];
}

QVariantMap IntakeCounters::snapshot() const
{
    QVariantMap out;
    for (int c = 0; c < Count; ++c)
        out.insert(QLatin1String(name(Counter(c))), value(Counter(c)));
    return out;
}

QString IntakeCounters::summary() const
{
    QStringList parts;
    for (int c = 0; c < Count; ++c)
        parts << QStringLiteral("%1 %2").arg(QLatin1String(name(Counter(c)))).arg(value(Counter(c)));
    return parts.join(QStringLiteral(", "));
}
