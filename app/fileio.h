#ifndef FILEIO_H
#define FILEIO_H

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class QFile;

// File access for the UI: reading, writing, copying, moving and listing
// files, most of it on the file named by `source`.
class FileIO : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString source READ source WRITE setSource NOTIFY sourceChanged)
public:
    explicit FileIO(QObject *parent = nullptr);

    QString source() const { return source_; }

    Q_INVOKABLE void setSource(const QString &source);
    Q_INVOKABLE void setHomeSource(const QString &source);

    Q_INVOKABLE QString read();
    Q_INVOKABLE QString read(const QString &path);
    Q_INVOKABLE QByteArray read_raw();
    Q_INVOKABLE bool write(const QString &data);
    Q_INVOKABLE bool write(const QString &path, const QString &data);
    Q_INVOKABLE bool append(const QString &data);
    Q_INVOKABLE bool write_raw(const QByteArray &data);

    Q_INVOKABLE bool copyTo(const QString &path);
    Q_INVOKABLE bool copyTo(const QString &source, const QString &target);
    Q_INVOKABLE bool cutTo(const QString &path);
    Q_INVOKABLE bool exist(const QString &path);
    Q_INVOKABLE bool exist();
    Q_INVOKABLE bool remove(const QString &path);
    Q_INVOKABLE bool remove();
    Q_INVOKABLE bool rename(const QString &path);
    Q_INVOKABLE bool mkdir(const QString &path);
    Q_INVOKABLE QStringList filesInDirectory(const QString &path);
    Q_INVOKABLE QStringList dirsInDirectory(const QString &path);
    Q_INVOKABLE QString applicationDirPath();
    Q_INVOKABLE bool removeDir(const QString &path);
    Q_INVOKABLE bool copyDirto(const QString &path);

signals:
    void sourceChanged(QString source);
    void error(QString msg);

private:
    bool open_source(QFile &file);

    QString source_;
};

#endif
