#ifndef RAWCAPTUREWRITER_H
#define RAWCAPTUREWRITER_H

#include <QElapsedTimer>
#include <QString>
#include <atomic>
#include <cstdio>

class DataHub;

// Writes every chunk the hub receives to a raw capture file (see
// RawCaptureFormat), on the receiving thread, before it is decoded.
class RawCaptureWriter
{
public:
    explicit RawCaptureWriter(DataHub *hub);
    ~RawCaptureWriter();

    bool open(const QString &path, QString *error);
    // Detaches from the hub and closes the file; false when anything could
    // not be written.
    bool finish();
    bool failed() const { return failed_.load(); }
    QString error() const { return error_; }

private:
    void on_chunk(const char *data, int length);

    DataHub *hub_;
    QString path_;
    std::FILE *file_ = nullptr;
    QElapsedTimer clock_;
    std::atomic<bool> failed_{false};
    QString error_;
};

#endif
