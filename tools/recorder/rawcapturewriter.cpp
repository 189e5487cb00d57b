#include "rawcapturewriter.h"

#include <QDateTime>
#include <QFile>
#include <cerrno>
#include <cstring>

#include "datahub.h"
#include "rawcaptureformat.h"

RawCaptureWriter::RawCaptureWriter(DataHub *hub)
    : hub_(hub)
{
}

RawCaptureWriter::~RawCaptureWriter()
{
    finish();
}

bool RawCaptureWriter::open(const QString &path, QString *error)
{
    path_ = path;
    file_ = std::fopen(QFile::encodeName(path).constData(), "wb");
    const QByteArray header = RawCaptureFormat::header(QDateTime::currentMSecsSinceEpoch());
    if (!file_ || std::fwrite(header.constData(), 1, size_t(header.size()), file_) != size_t(header.size())) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        if (file_)
            std::fclose(file_);
        file_ = nullptr;
        return false;
    }
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
    clock_.start();
    hub_->set_raw_tap([this](const char *data, int length) { on_chunk(data, length); });
    return true;
}

void RawCaptureWriter::on_chunk(const char *data, int length)
{
    if (failed_ || length <= 0)
        return;
    char head[RawCaptureFormat::kRecordHeaderSize];
    RawCaptureFormat::record_header(head, quint32(length), clock_.nsecsElapsed() / 1000);
    if (std::fwrite(head, 1, sizeof head, file_) != sizeof head
        || std::fwrite(data, 1, size_t(length), file_) != size_t(length)) {
        error_ = QStringLiteral("writing %1 failed: %2").arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
        failed_ = true;
    }
}

bool RawCaptureWriter::finish()
{
    if (!file_)
        return !failed_;
    hub_->set_raw_tap(nullptr);
    if ((std::fflush(file_) != 0 || std::fclose(file_) != 0) && !failed_) {
        error_ = QStringLiteral("writing %1 failed: %2").arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
        failed_ = true;
    }
    file_ = nullptr;
    return !failed_;
}
