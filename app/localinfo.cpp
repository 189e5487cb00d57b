#include "localinfo.h"

#include <QStandardPaths>

LocalInfo::LocalInfo(QObject *parent)
    : QObject(parent)
{
}

QString LocalInfo::config_dir_path() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/context";
}

QString LocalInfo::data_dir_path() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/datas";
}
