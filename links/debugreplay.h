#ifndef DEBUGREPLAY_H
#define DEBUGREPLAY_H

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QString>
#include <atomic>

#include "debugwayinterface.h"
#include "guardedvalue.h"

class QTimer;

// A link that plays a raw capture back into the hub as if it arrived
// again: chunk by chunk, at the recorded pace scaled by `speed`, or as fast
// as the decoding takes it (speed 0). The link closes itself at the end of
// the capture, as a device that hung up.
class DebugReplay : public QObject, public DebugWayInterface
{
    Q_OBJECT
    Q_PROPERTY(DataHub *datahub READ datahub WRITE set_datahub)
    Q_PROPERTY(bool connected READ connected NOTIFY connected_changed)
    Q_PROPERTY(QString file READ file WRITE set_file)
    Q_PROPERTY(double speed READ speed WRITE set_speed)

public:
    explicit DebugReplay(QObject *parent = nullptr);
    ~DebugReplay() override;

    QString file() const { return file_.get(); }
    void set_file(const QString &v) { file_.set(v); }
    double speed() const { return speed_; }
    void set_speed(double v) { speed_ = v; }

    Q_INVOKABLE void close() override;
    Q_INVOKABLE void open() override;
    Q_INVOKABLE void send(QByteArray datas) override;

    void initialization() override;
    void deinitialization() override;
    void io_loop() override {}

signals:
    void connected_changed();

private:
    void set_link_connected(bool v);
    // Feeds what is due; false at the end of the capture or on a fault.
    bool step();

    GuardedValue<QString> file_;
    std::atomic<double> speed_{1.0};
    // Used on the I/O thread only.
    QFile capture_;
    QTimer *play_timer_ = nullptr;
    QElapsedTimer clock_;
    QByteArray chunk_;
    qint64 chunk_micros_ = -1;  // the read chunk waiting for its time
};

#endif
