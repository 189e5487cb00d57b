#ifndef DEBUGDEMO_H
#define DEBUGDEMO_H

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>

#include "debugwayinterface.h"
#include "guardedvalue.h"

class DebugDemoIOSlotsObj;
class QTimer;

// A link without a device: generates waveforms, replays CSV files or sends
// JPEG pictures on its I/O thread, in the "ZezoRovar" text or the
// "ZazuZavuv" binary format, as if a device had sent them.
class DebugDemo : public QObject, public DebugWayInterface
{
    Q_OBJECT
    Q_PROPERTY(DataHub *datahub READ datahub WRITE set_datahub)
    Q_PROPERTY(bool connected READ connected NOTIFY connected_changed)
    Q_PROPERTY(int timeout READ timeout WRITE set_timeout)
    Q_PROPERTY(QString protocal READ protocal WRITE set_protocal)
    Q_PROPERTY(bool send_picture READ send_picture WRITE set_send_picture)
    Q_PROPERTY(QString picture_dir READ picture_dir WRITE set_picture_dir)
    Q_PROPERTY(int picture_timeout READ picture_timeout WRITE set_picture_timeout)
    Q_PROPERTY(bool send_csv_list READ send_csv_list WRITE set_send_csv_list)
    Q_PROPERTY(QString csv_dir READ csv_dir WRITE set_csv_dir)
    Q_PROPERTY(int csv_timeout READ csv_timeout WRITE set_csv_timeout)

public:
    explicit DebugDemo(QObject *parent = nullptr);
    ~DebugDemo() override;

    int timeout() const { return timeout_; }
    void set_timeout(int v) { timeout_ = v; }
    QString protocal() const { return protocal_.get(); }
    void set_protocal(const QString &v) { protocal_.set(v); }
    bool send_picture() const { return send_picture_; }
    void set_send_picture(bool v) { send_picture_ = v; }
    QString picture_dir() const { return picture_dir_.get(); }
    void set_picture_dir(const QString &v) { picture_dir_.set(v); }
    int picture_timeout() const { return picture_timeout_; }
    void set_picture_timeout(int v) { picture_timeout_ = v; }
    bool send_csv_list() const { return send_csv_list_; }
    void set_send_csv_list(bool v) { send_csv_list_ = v; }
    QString csv_dir() const { return csv_dir_.get(); }
    void set_csv_dir(const QString &v) { csv_dir_.set(v); }
    int csv_timeout() const { return csv_timeout_; }
    void set_csv_timeout(int v) { csv_timeout_ = v; }

    Q_INVOKABLE void close() override;
    Q_INVOKABLE void open() override;
    Q_INVOKABLE void send(QByteArray datas) override;

    void initialization() override;
    void deinitialization() override;
    void io_loop() override {}

signals:
    void connected_changed();

private:
    friend class DebugDemoIOSlotsObj;

    void set_link_connected(bool v);

    DebugDemoIOSlotsObj *slots_obj_ = nullptr;
    QTimer *data_timer_ = nullptr;
    QTimer *picture_timer_ = nullptr;
    // Filled at each opening on the I/O thread, read there only.
    QStringList csv_files_;
    QStringList picture_files_;
    std::atomic<int> timeout_{5};
    GuardedValue<QString> protocal_{QStringLiteral("ZezoRovar")};
    std::atomic<bool> send_picture_{false};
    GuardedValue<QString> picture_dir_;
    std::atomic<int> picture_timeout_{33};
    std::atomic<bool> send_csv_list_{false};
    GuardedValue<QString> csv_dir_;
    std::atomic<int> csv_timeout_{33};
};

#endif
