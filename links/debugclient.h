#ifndef DEBUGCLIENT_H
#define DEBUGCLIENT_H

#include <QObject>
#include <QString>
#include <atomic>

#include "debugwayinterface.h"
#include "guardedvalue.h"

class DebugClientIOSlotsObj;
class QTcpSocket;

// A TCP connection to a server; the banner goes out first on every
// connection, connected follows the socket.
class DebugClient : public QObject, public DebugWayInterface
{
    Q_OBJECT
    Q_PROPERTY(int port READ port WRITE set_port)
    Q_PROPERTY(QString serverAddr READ serverAddr WRITE set_serverAddr)
    Q_PROPERTY(QString banner READ banner WRITE set_banner)
    Q_PROPERTY(DataHub *datahub READ datahub WRITE set_datahub)
    Q_PROPERTY(bool connected READ connected NOTIFY connected_changed)

public:
    explicit DebugClient(QObject *parent = nullptr);
    ~DebugClient() override;

    int port() const { return port_; }
    void set_port(int v) { port_ = v; }
    QString serverAddr() const { return server_addr_.get(); }
    void set_serverAddr(const QString &v) { server_addr_.set(v); }
    QString banner() const { return banner_.get(); }
    void set_banner(const QString &v) { banner_.set(v); }

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
    friend class DebugClientIOSlotsObj;

    void on_ready_read();
    void on_error();
    void set_link_connected(bool v);

    DebugClientIOSlotsObj *slots_obj_ = nullptr;
    QTcpSocket *device_ = nullptr;
    std::atomic<int> port_{0};
    GuardedValue<QString> server_addr_;
    GuardedValue<QString> banner_;
};

#endif
