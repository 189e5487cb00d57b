#include "debugclient.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

#include "datahub.h"
#include "ioeventloop.h"
#include "debugclientioslotsobj.h"

namespace {
// How long closing waits for queued bytes to leave before the connection
// is cut; a peer that stops reading must not hold close() up.
constexpr int kDisconnectWaitMs = 1000;
}

DebugClient::DebugClient(QObject *parent)
    : QObject(parent)
{
}

DebugClient::~DebugClient()
{
    shutdown();
}

void DebugClient::open()
{
    DebugWayInterface::open();
}

void DebugClient::close()
{
    DebugWayInterface::close();
    emit need_close();
}

void DebugClient::send(QByteArray datas)
{
    send_pattern(datas, "DebugClient - Socket unconnected.",
                 [this](const QByteArray &bytes) {
                     device_->write(bytes);
                     return true;
                 });
}

void DebugClient::initialization()
{
    DebugWayInterface::initialization();
    slots_obj_ = new DebugClientIOSlotsObj(this);
    device_ = new QTcpSocket;
    connect(device_, SIGNAL(connected()), slots_obj_, SLOT(connectedSlot()));
    connect(device_, SIGNAL(disconnected()), slots_obj_, SLOT(disconnectedSlot()));
    connect(device_, SIGNAL(readyRead()), slots_obj_, SLOT(readyReadSlot()));
    connect(device_, SIGNAL(errorOccurred(QAbstractSocket::SocketError)), slots_obj_,
            SLOT(handleError(QAbstractSocket::SocketError)));
    connect(tick_timer(), SIGNAL(timeout()), slots_obj_, SLOT(onTickTimeoutSlot()));
    connect(device_, SIGNAL(disconnected()), event_loop(), SLOT(quit()));
    // A host name is looked up by the socket; a number is taken as it is.
    device_->connectToHost(serverAddr().trimmed(), quint16(port_), QIODevice::ReadWrite);
    const QByteArray greeting = banner().toUtf8();
    if (!greeting.isEmpty())
        device_->write(greeting);
}

void DebugClient::deinitialization()
{
    DebugWayInterface::deinitialization();
    if (device_->state() == QAbstractSocket::ConnectedState) {
        device_->disconnectFromHost();
        if (device_->state() != QAbstractSocket::UnconnectedState
            && !device_->waitForDisconnected(kDisconnectWaitMs))
            device_->abort();
    } else {
        // Still connecting: nothing of ours has gone out yet.
        device_->abort();
    }
    device_->close();
    if (connected_)
        set_link_connected(false);
    delete slots_obj_;
    slots_obj_ = nullptr;
    delete device_;
    device_ = nullptr;
}

void DebugClient::set_link_connected(bool v)
{
    connected_ = v;
    emit connected_changed();
}

void DebugClient::on_ready_read()
{
    read_into_hub(device_);
}

void DebugClient::on_error()
{
    if (device_->error() == QAbstractSocket::HostNotFoundError)
        report_device_error("DebugClient - " + tr("无法解析主机名").toUtf8() + ": " + serverAddr().trimmed().toUtf8());
    else
        report_device_error("DebugClient - " + device_->errorString().toUtf8());
}
