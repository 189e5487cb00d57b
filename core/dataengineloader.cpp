#include "dataengineloader.h"

#include <QDir>
#include <QFile>
#include <mutex>

#include "datalock.h"

#include "runpath.h"

DataEngineLoader::DataEngineLoader(QObject *parent)
    : QObject(parent)
{
}

QString DataEngineLoader::directory() const
{
    return directory_.isEmpty() ? RunPath::dataengines() : directory_;
}

QObject *DataEngineLoader::load_file(const QString &file)
{
    loader_.setFileName(QDir(directory()).absoluteFilePath(file));
    loader_.load();
    return loader_.instance();
}

void DataEngineLoader::drop_engine()
{
    // Unloading frees the engine's code, so no decoding pass may be inside it.
    if (guard_) {
        std::lock_guard<DataLock> locker(*guard_);
        engine_ = nullptr;
        loader_.unload();
    } else {
        engine_ = nullptr;
        loader_.unload();
    }
}

void DataEngineLoader::loadEngines()
{
    file_list_.clear();
    name_list_.clear();
    drop_engine();
    const QStringList entries = QDir(directory()).entryList(QDir::Files, QDir::NoSort);
    for (const QString &file : entries) {
        if (QObject *instance = load_file(file)) {
            file_list_.append(file);
            name_list_.append(QString::fromLatin1(instance->metaObject()->className()));
        }
        drop_engine();
    }
}

void DataEngineLoader::selectEngine(int index)
{
    if (index < 0 || index >= file_list_.size())
        return;
    drop_engine();
    QObject *instance = load_file(file_list_.at(index));
    if (!instance)
        return;
    if (QString::fromLatin1(instance->metaObject()->className()) != name_list_.at(index))
        return;
    auto *iface = static_cast<DataEngineInterface *>(instance->qt_metacast(DataEngineInterface_iid));
    if (guard_) {
        std::lock_guard<DataLock> locker(*guard_);
        engine_ = iface;
        engine_name_ = name_list_.at(index);
    } else {
        engine_ = iface;
        engine_name_ = name_list_.at(index);
    }
}

QString DataEngineLoader::json_for(QString name) const
{
    QFile file(directory() + "/" + name + ".json");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}
