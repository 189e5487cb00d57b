#ifndef DATAENGINELOADER_H
#define DATAENGINELOADER_H

#include <QObject>
#include <QPluginLoader>
#include <QStringList>

#include "engine_interface/dataengineinterface.h"

class DataLock;

// Finds the data-engine plug-ins in the engine directory, lists them and
// loads the one the user picks. At most one engine is loaded at a time.
class DataEngineLoader : public QObject
{
    Q_OBJECT
public:
    explicit DataEngineLoader(QObject *parent = nullptr);

    Q_INVOKABLE void loadEngines();
    Q_INVOKABLE void selectEngine(int index);
    Q_INVOKABLE QStringList name_list() const { return name_list_; }
    Q_INVOKABLE QStringList file_list() const { return file_list_; }
    Q_INVOKABLE QString json_for(QString name) const;

    DataEngineInterface *engine() const { return engine_; }
    // The selected engine's name; guarded like engine().
    QString engine_name() const { return engine_name_; }
    // The hub hands its data lock over so that a switch never overlaps a
    // decoding pass. A stand-alone loader has none.
    void set_guard(DataLock *guard) { guard_ = guard; }
    // Overrides the engine directory (tests and tools); empty restores the
    // directory beside the executable.
    void set_directory(const QString &dir) { directory_ = dir; }
    QString directory() const;

private:
    QObject *load_file(const QString &file);
    void drop_engine();

    DataEngineInterface *engine_ = nullptr;
    QString engine_name_;
    QStringList file_list_;
    QStringList name_list_;
    QPluginLoader loader_;
    DataLock *guard_ = nullptr;
    QString directory_;
};

#endif
