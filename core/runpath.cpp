#include "runpath.h"

#include <QCoreApplication>

namespace {
QString &storage()
{
    static QString path;
    return path;
}
}

void RunPath::capture()
{
    storage() = QCoreApplication::applicationDirPath();
}

void RunPath::set(const QString &path)
{
    storage() = path;
}

QString RunPath::get()
{
    if (storage().isEmpty() && QCoreApplication::instance())
        capture();
    return storage();
}

QString RunPath::dataengines()
{
    return get() + "/plugins" + "/dataengines";
}
