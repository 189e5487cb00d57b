#include "mytools.h"

#include <QQmlEngine>

#include <cstdint>
#include <cstring>

QString MyTools::float_to_hex(double value) const
{
    const float f = float(value);
    uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    QString out;
    for (int i = 0; i < 4; ++i) {
        if (i)
            out += ' ';
        out += QString::asprintf("%02x", unsigned((bits >> (8 * i)) & 0xffu));
    }
    return out;
}

void MyTools::trim_component_cache()
{
    if (QQmlEngine *engine = qmlEngine(this))
        engine->trimComponentCache();
}
