#ifndef DEBUGUDP_H
#define DEBUGUDP_H

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <atomic>

#include "debugwayinterface.h"
#include "guardedvalue.h"

class DebugUDPIOSlotsObj;
class QUdpSocket;

// Datagrams with one remote peer: binds a local port on all IPv4
// interfaces, takes datagrams from any sender, sends to serverAddr.
class DebugUDP : public QObject, public DebugWayInterface
{
    Q_OBJECT
    Q_PROPERTY(int port_remote READ port_remote WRITE set_port_remote)
    Q_PROPERTY(int port_local READ port_local WRITE set_port_local)
    Q_PROPERTY(QString serverAddr READ serverAddr WRITE set_serverAddr)
    Q_PROPERTY(DataHub *datahub READ datahub WRITE set_datahub)
    Q_PROPERTY(bool connected READ connected NOTIFY connected_changed)

public:
    explicit DebugUDP(QObject *parent = nullptr);
    ~DebugUDP() override;

    int port_remote() const { return port_remote_; }
    void set_port_remote(int v) { port_remote_ = v; }
    int port_local() const { return port_local_; }
    void set_port_local(int v) { port_local_ = v; }
    QString serverAddr() const { return server_addr_.get(); }
    void set_serverAddr(const QString &v) { server_addr_.set(v); }

    Q_INVOKABLE void close() override;
    Q_INVOKABLE void open() override;
    Q_INVOKABLE void send(QByteArray datas) override;

    void initialization() override;
    void deinitialization() override;
    void io_loop() override {}

signals:
    void connected_changed();
    // Emitted by close() once the I/O thread has ended; when a device error
    // closes the link, on the I/O thread itself, which then ends.
    void need_close();

private:
    friend class DebugUDPIOSlotsObj;

    void on_ready_read();
    void on_error();
    void set_link_connected(bool v);
    static QHostAddress resolve(const QString &host);

    DebugUDPIOSlotsObj *slots_obj_ = nullptr;
    QUdpSocket *device_ = nullptr;
    QHostAddress remote_;
    std::atomic<int> port_remote_{0};
    std::atomic<int> port_local_{0};
    GuardedValue<QString> server_addr_;
};

#endif
