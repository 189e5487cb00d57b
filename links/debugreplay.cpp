#include "debugreplay.h"

#include <QDateTime>
#include <QTimer>

#include "datahub.h"
#include "rawcaptureformat.h"

namespace {

// Records fed per timer call, so that a close reaches the loop in time.
constexpr int kRecordsPerStep = 256;

}

DebugReplay::DebugReplay(QObject *parent)
    : QObject(parent)
{
}

DebugReplay::~DebugReplay()
{
    shutdown();
}

void DebugReplay::set_link_connected(bool v)
{
    connected_ = v;
    emit connected_changed();
}

void DebugReplay::open()
{
    DebugWayInterface::open();
    set_link_connected(true);
}

void DebugReplay::close()
{
    DebugWayInterface::close();
    set_link_connected(false);
}

void DebugReplay::send(QByteArray datas)
{
    // Nothing is on the other side; the echo shows what would have gone.
    if (connected_)
        report_sent(datas);
}

void DebugReplay::initialization()
{
    DebugWayInterface::initialization();
    QObject::connect(tick_timer(), &QTimer::timeout, tick_timer(), [this]() { onTickTimeout(); });
    chunk_micros_ = -1;
    capture_.setFileName(file());
    if (!capture_.open(QIODevice::ReadOnly)) {
        report_device_error(link_prefix() + "cannot read " + file().toLocal8Bit() + ": "
                            + capture_.errorString().toLocal8Bit());
        return;
    }
    const QByteArray head = capture_.read(RawCaptureFormat::kHeaderSize);
    qint64 start_ms = 0;
    if (head.size() < RawCaptureFormat::kHeaderSize || !RawCaptureFormat::read_header(head.constData(), start_ms)) {
        report_device_error(link_prefix() + file().toLocal8Bit() + " is not a raw capture");
        return;
    }
    play_timer_ = new QTimer;
    play_timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(play_timer_, &QTimer::timeout, play_timer_, [this]() {
        if (!step())
            play_timer_->stop();
    });
    play_timer_->start(speed_ > 0 ? 1 : 0);
    clock_.start();
}

void DebugReplay::deinitialization()
{
    if (play_timer_) {
        play_timer_->stop();
        delete play_timer_;
        play_timer_ = nullptr;
    }
    capture_.close();
    DebugWayInterface::deinitialization();
}

bool DebugReplay::step()
{
    DataHub *hub = datahub();
    const double speed = speed_;
    for (int n = 0; n < kRecordsPerStep; ++n) {
        if (chunk_micros_ < 0) {
            char head[RawCaptureFormat::kRecordHeaderSize];
            const qint64 got = capture_.read(head, sizeof head);
            if (got == 0) {
                // The end of the capture: the link hangs up.
                if (hub)
                    hub->put_link_note(QString::fromLocal8Bit(link_prefix()) + QStringLiteral("the end of ")
                                       + file());
                close();
                return false;
            }
            quint32 length = 0;
            qint64 micros = 0;
            if (got == qint64(sizeof head))
                RawCaptureFormat::read_record_header(head, length, micros);
            if (got != qint64(sizeof head) || length == 0 || length > RawCaptureFormat::kMaxChunk || micros < 0) {
                report_device_error(link_prefix() + file().toLocal8Bit() + " ends in a cut or broken record");
                return false;
            }
            // Read into the same buffer each time: a fresh one per chunk
            // costs more than the decoding at full speed.
            chunk_.resize(int(length));
            if (capture_.read(chunk_.data(), length) != qint64(length)) {
                report_device_error(link_prefix() + file().toLocal8Bit() + " ends in a cut or broken record");
                return false;
            }
            chunk_micros_ = micros;
        }
        if (speed > 0 && double(chunk_micros_) / speed > double(clock_.nsecsElapsed()) / 1000.0)
            return true;
        if (hub)
            hub->PutReceivedData(chunk_.constData(), chunk_.size(), QDateTime::currentDateTime());
        chunk_micros_ = -1;
    }
    return true;
}
