#include "debugserver.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "datahub.h"
#include "debugserverioslotsobj.h"

DebugServer::DebugServer(QObject *parent)
    : QObject(parent)
{
}

DebugServer::~DebugServer()
{
    shutdown();
}

void DebugServer::set_current_client_id(int v)
{
    if (v < 0 || v >= clients_number_)
        return;
    current_client_id_ = v;
    emit current_client_id_chananged();
}

void DebugServer::open()
{
    DebugWayInterface::open();
}

void DebugServer::close()
{
    DebugWayInterface::close();
    emit need_close();
}

void DebugServer::send(QByteArray datas)
{
    const Route route = route_to_io_thread([this, datas] { send(datas); });
    if (route == Route::Posted)
        return;
    QTcpSocket *client = route == Route::Here ? current_client() : nullptr;
    if (!client) {
        // Said once per run of sends: a command repeating every few
        // milliseconds would otherwise flood the terminal.
        if (!no_client_reported_.exchange(true)) {
            if (DataHub *hub = datahub())
                hub->PutErrorData("DebugServer - No client connected.");
        }
        return;
    }
    no_client_reported_ = false;
    beat();
    client->write(datas);
    report_sent(datas);
}

void DebugServer::initialization()
{
    DebugWayInterface::initialization();
    no_client_reported_ = false;
    slots_obj_ = new DebugServerIOSlotsObj(this);
    device_ = new QTcpServer;
    connect(device_, SIGNAL(newConnection()), slots_obj_, SLOT(newConnectionSlot()));
    connect(tick_timer(), SIGNAL(timeout()), slots_obj_, SLOT(onTickTimeoutSlot()));
    connected_ = device_->listen(QHostAddress::Any, quint16(port_));
    if (connected_) {
        emit connected_changed();
    } else if (DataHub *hub = datahub()) {
        hub->PutErrorData("DebugServer - " + device_->errorString().toUtf8());
    }
}

void DebugServer::deinitialization()
{
    DebugWayInterface::deinitialization();
    device_->close();
    connected_ = false;
    // Each close runs the disconnect handling, which edits the list.
    const QList<QTcpSocket *> clients = clients_;
    for (QTcpSocket *client : clients)
        client->close();
    if (!clients_.isEmpty()) {
        clients_.clear();
        clients_changed();
    }
    emit connected_changed();
    delete slots_obj_;
    slots_obj_ = nullptr;
    delete device_;
    device_ = nullptr;
}

QTcpSocket *DebugServer::current_client() const
{
    const int id = current_client_id_;
    return id >= 0 && id < clients_.size() ? clients_.at(id) : nullptr;
}

void DebugServer::set_current(int index)
{
    current_client_id_ = index;
    emit current_client_id_chananged();
}

void DebugServer::clients_changed()
{
    clients_number_ = clients_.size();
    emit clients_number_changed();
}

void DebugServer::on_new_connection()
{
    while (QTcpSocket *client = device_->nextPendingConnection()) {
        connect(client, SIGNAL(readyRead()), slots_obj_, SLOT(readyReadSlot()));
        connect(client, SIGNAL(disconnected()), slots_obj_, SLOT(disconnectedSlot()));
        clients_.append(client);
        no_client_reported_ = false;
        clients_changed();
    }
}

void DebugServer::on_ready_read()
{
    QTcpSocket *current = current_client();
    if (current)
        read_into_hub(current);
    for (QTcpSocket *client : qAsConst(clients_)) {
        if (client == current)
            continue;
        while (client->bytesAvailable() > 0)
            client->skip(client->bytesAvailable());
    }
}

void DebugServer::on_disconnected()
{
    QTcpSocket *kept = current_client();
    if (kept && kept->state() == QAbstractSocket::UnconnectedState) {
        clients_.removeOne(kept);
        kept->deleteLater();
        if (!clients_.isEmpty())
            set_current(0);
        kept = nullptr;
    }
    for (auto it = clients_.begin(); it != clients_.end();) {
        if ((*it)->state() == QAbstractSocket::UnconnectedState) {
            // Gone clients would otherwise pile up under the server.
            (*it)->deleteLater();
            it = clients_.erase(it);
        } else {
            ++it;
        }
    }
    if (kept)
        set_current(clients_.indexOf(kept));
    clients_changed();
}
