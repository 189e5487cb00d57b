#ifndef LOCALINFO_H
#define LOCALINFO_H

#include <QObject>
#include <QString>

// Names the per-user directories of saved UI contexts and of data files.
class LocalInfo : public QObject
{
    Q_OBJECT
public:
    explicit LocalInfo(QObject *parent = nullptr);

    Q_INVOKABLE QString config_dir_path() const;
    Q_INVOKABLE QString data_dir_path() const;
};

#endif
