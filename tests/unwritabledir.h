#ifndef UNWRITABLEDIR_H
#define UNWRITABLEDIR_H

#include <QFile>
#include <QProcess>
#include <unistd.h>

// Makes a directory refuse new files for as long as it lives: through its
// permission bits, or, for root (whom they do not stop), by marking it
// immutable. ok() is false where neither works.
class UnwritableDir
{
public:
    explicit UnwritableDir(const QString &path) : path_(path), root_(::geteuid() == 0)
    {
        if (root_)
            ok_ = QProcess::execute("chattr", {"+i", path_}) == 0;
        else
            ok_ = QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    ~UnwritableDir()
    {
        if (root_)
            QProcess::execute("chattr", {"-i", path_});
        else
            QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    UnwritableDir(const UnwritableDir &) = delete;
    UnwritableDir &operator=(const UnwritableDir &) = delete;
    bool ok() const { return ok_; }

private:
    QString path_;
    bool root_;
    bool ok_ = false;
};

#endif
