#ifndef DEBUGSERVER_H
#define DEBUGSERVER_H

#include <QList>
#include <QObject>
#include <atomic>

#include "debugwayinterface.h"

class DebugServerIOSlotsObj;
class QTcpServer;
class QTcpSocket;

// Listens on a TCP port and accepts any number of clients, but talks to
// the current one only; what the others send is read and dropped. Bytes
// sent while no client is current reach nobody, so they are not shown as
// sent; the terminal says so instead.
class DebugServer : public QObject, public DebugWayInterface
{
    Q_OBJECT
    Q_PROPERTY(int port READ port WRITE set_port)
    Q_PROPERTY(int clients_number READ clients_number NOTIFY clients_number_changed)
    Q_PROPERTY(int current_client_id READ current_client_id WRITE set_current_client_id NOTIFY current_client_id_chananged)
    Q_PROPERTY(DataHub *datahub READ datahub WRITE set_datahub)
    Q_PROPERTY(bool connected READ connected NOTIFY connected_changed)

public:
    explicit DebugServer(QObject *parent = nullptr);
    ~DebugServer() override;

    int port() const { return port_; }
    void set_port(int v) { port_ = v; }
    int clients_number() const { return clients_number_; }
    int current_client_id() const { return current_client_id_; }
    void set_current_client_id(int v);

    Q_INVOKABLE void open() override;
    Q_INVOKABLE void close() override;
    Q_INVOKABLE void send(QByteArray datas) override;

    void initialization() override;
    void deinitialization() override;
    void io_loop() override {}

signals:
    void current_client_id_chananged();
    void connected_changed();
    void clients_number_changed();
    // Emitted by close() once the I/O thread has ended.
    void need_close();

private:
    friend class DebugServerIOSlotsObj;

    void on_new_connection();
    void on_ready_read();
    void on_disconnected();
    QTcpSocket *current_client() const;
    void set_current(int index);
    void clients_changed();

    DebugServerIOSlotsObj *slots_obj_ = nullptr;
    QTcpServer *device_ = nullptr;
    // Touched on the I/O thread only.
    QList<QTcpSocket *> clients_;
    std::atomic<int> port_{1346};
    std::atomic<int> clients_number_{0};
    std::atomic<int> current_client_id_{0};
    // Set once "no client" has been said; a connecting client, a send that
    // reaches one or a new opening clear it.
    std::atomic<bool> no_client_reported_{false};
};

#endif
