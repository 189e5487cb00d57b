#include "fileio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

namespace {

// The parent of a path is everything before its last "/".
bool make_parent(const QString &path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash <= 0)
        return true;
    const QString parent = path.left(slash);
    return QFileInfo(parent).isDir() || QDir().mkpath(parent);
}

bool same_file(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

QStringList entries(const QString &path, QDir::Filters filters)
{
    // An empty path would name the working directory.
    if (path.isEmpty())
        return QStringList();
    return QDir(path).entryList(filters | QDir::NoDotAndDotDot);
}

}

FileIO::FileIO(QObject *parent)
    : QObject(parent)
{
}

void FileIO::setSource(const QString &source)
{
    source_ = source;
}

void FileIO::setHomeSource(const QString &source)
{
    source_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/mesk+/" + source;
}

bool FileIO::open_source(QFile &file)
{
    if (source_.isEmpty()) {
        emit error(QStringLiteral("source is empty"));
        return false;
    }
    file.setFileName(source_);
    if (!file.open(QIODevice::ReadOnly)) {
        emit error(QStringLiteral("Unable to open the file"));
        return false;
    }
    return true;
}

QString FileIO::read()
{
    QFile file;
    if (!open_source(file))
        return QString();
    QTextStream in(&file);
    in.setCodec("utf-8");
    return in.readAll();
}

QString FileIO::read(const QString &path)
{
    if (path.isEmpty())
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QTextStream in(&file);
    in.setCodec("utf-8");
    return in.readAll();
}

QByteArray FileIO::read_raw()
{
    QFile file;
    if (!open_source(file))
        return QByteArray();
    return file.readAll();
}

bool FileIO::write(const QString &data)
{
    return write(source_, data);
}

bool FileIO::write(const QString &path, const QString &data)
{
    if (path.isEmpty())
        return false;
    make_parent(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream out(&file);
    out.setCodec("utf-8");
    out << data;
    out.flush();
    file.close();
    return true;
}

bool FileIO::append(const QString &data)
{
    if (source_.isEmpty())
        return false;
    QFile file(source_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    QTextStream out(&file);
    out << data;
    return true;
}

bool FileIO::write_raw(const QByteArray &data)
{
    if (source_.isEmpty())
        return false;
    QFile file(source_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(data);
    return true;
}

bool FileIO::copyTo(const QString &path)
{
    return copyTo(source_, path);
}

bool FileIO::copyTo(const QString &source, const QString &target)
{
    if (source.isEmpty() || !QFileInfo::exists(source))
        return false;
    make_parent(target);
    return QFile::copy(source, target);
}

bool FileIO::cutTo(const QString &path)
{
    if (source_.isEmpty() || !QFileInfo::exists(source_))
        return false;
    // Deleting "the file at path" would delete the source itself.
    if (same_file(source_, path))
        return true;
    if (QFileInfo::exists(path))
        QFile::remove(path);
    make_parent(path);
    if (!QFile::copy(source_, path))
        return false;
    return QFile::remove(source_);
}

bool FileIO::exist(const QString &path)
{
    const QString p = path.isEmpty() ? source_ : path;
    return !p.isEmpty() && QFileInfo::exists(p);
}

bool FileIO::exist()
{
    return exist(QString());
}

bool FileIO::remove(const QString &path)
{
    if (path.isEmpty())
        return true;
    return QFile::remove(path);
}

bool FileIO::remove()
{
    return remove(source_);
}

bool FileIO::rename(const QString &path)
{
    if (source_.isEmpty())
        return false;
    return QFile::rename(source_, path);
}

bool FileIO::mkdir(const QString &path)
{
    return !path.isEmpty() && QDir().mkpath(path);
}

QStringList FileIO::filesInDirectory(const QString &path)
{
    return entries(path, QDir::AllEntries);
}

QStringList FileIO::dirsInDirectory(const QString &path)
{
    return entries(path, QDir::Dirs);
}

QString FileIO::applicationDirPath()
{
    return QCoreApplication::applicationDirPath();
}

bool FileIO::removeDir(const QString &path)
{
    if (path.isEmpty())
        return false;
    // Links to directories are removed as links, never followed: their
    // targets lie outside the tree being deleted.
    if (QFileInfo(path).isSymLink())
        return QFile::remove(path);
    bool ok = true;
    const QDir dir(path);
    const QDir::Filters every = QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoSymLinks | every))
        ok = removeDir(path + "/" + name) && ok;
    for (const QString &name : dir.entryList(QDir::AllEntries | every))
        ok = QFile::remove(path + "/" + name) && ok;
    return QDir().rmdir(QDir::toNativeSeparators(path)) && ok;
}

bool FileIO::copyDirto(const QString &)
{
    return true;
}
