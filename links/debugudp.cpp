#include "debugudp.h"

#include <QDateTime>
#include <QHostInfo>
#include <QTimer>
#include <QNetworkDatagram>
#include <QUdpSocket>

#include "datahub.h"
#include "ioeventloop.h"
#include "debugudpioslotsobj.h"

namespace {
// Datagrams taken per handler call; a flood must not keep the loop from
// its tick and its quit.
constexpr int kDatagramBudget = 1024;
}

DebugUDP::DebugUDP(QObject *parent)
    : QObject(parent)
{
}

DebugUDP::~DebugUDP()
{
    shutdown();
}

void DebugUDP::open()
{
    DebugWayInterface::open();
}

void DebugUDP::close()
{
    DebugWayInterface::close();
    emit need_close();
}

void DebugUDP::send(QByteArray datas)
{
    // A null address would go to this host itself on some platforms; it
    // was reported at open, and nothing is sent to it.
    send_pattern(datas, "DebugUDP - Socket unconnected.", [this](const QByteArray &bytes) {
        if (remote_.isNull())
            return false;
        device_->writeDatagram(bytes, remote_, quint16(port_remote_));
        return true;
    });
}

// A numeric address as it is; a host name looked up (on the link's own
// thread), an IPv4 address preferred since the socket is bound to IPv4.
QHostAddress DebugUDP::resolve(const QString &host)
{
    const QHostAddress numeric(host);
    if (!numeric.isNull() || host.isEmpty())
        return numeric;
    const QList<QHostAddress> found = QHostInfo::fromName(host).addresses();
    for (const QHostAddress &a : found)
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            return a;
    return found.isEmpty() ? QHostAddress() : found.first();
}

void DebugUDP::initialization()
{
    DebugWayInterface::initialization();
    slots_obj_ = new DebugUDPIOSlotsObj(this);
    device_ = new QUdpSocket;
    connect(device_, SIGNAL(connected()), slots_obj_, SLOT(connectedSlot()));
    connect(device_, SIGNAL(disconnected()), slots_obj_, SLOT(disconnectedSlot()));
    connect(device_, SIGNAL(readyRead()), slots_obj_, SLOT(readyReadSlot()));
    connect(device_, SIGNAL(errorOccurred(QAbstractSocket::SocketError)), slots_obj_,
            SLOT(handleError(QAbstractSocket::SocketError)));
    connect(tick_timer(), SIGNAL(timeout()), slots_obj_, SLOT(onTickTimeoutSlot()));
    connect(device_, SIGNAL(disconnected()), event_loop(), SLOT(quit()));
    const QString addr = serverAddr().trimmed();
    remote_ = resolve(addr);
    if (remote_.isNull()) {
        if (DataHub *hub = datahub())
            hub->PutErrorData("DebugUDP - " + tr("无法解析主机名").toUtf8() + ": " + addr.toUtf8());
    }
    device_->bind(QHostAddress::AnyIPv4, quint16(port_local_));
    set_link_connected(true);
}

void DebugUDP::deinitialization()
{
    DebugWayInterface::deinitialization();
    device_->close();
    set_link_connected(false);
    delete slots_obj_;
    slots_obj_ = nullptr;
    delete device_;
    device_ = nullptr;
}

void DebugUDP::set_link_connected(bool v)
{
    connected_ = v;
    emit connected_changed();
}

void DebugUDP::on_ready_read()
{
    DataHub *hub = datahub();
    if (!hub) {
        while (device_->hasPendingDatagrams())
            device_->receiveDatagram(0);
        return;
    }
    const QDateTime now = QDateTime::currentDateTime();
    QByteArray &scratch = hub->read_scratch();
    int budget = kDatagramBudget;
    while (device_->hasPendingDatagrams()) {
        if (budget-- == 0) {
            QMetaObject::invokeMethod(slots_obj_, "readyReadSlot", Qt::QueuedConnection);
            return;
        }
        const qint64 size = device_->pendingDatagramSize();
        if (size < 0)
            break;
        if (scratch.size() < size)
            scratch.resize(int(size));
        QHostAddress sender;
        quint16 sender_port = 0;
        const qint64 got = device_->readDatagram(scratch.data(), size, &sender, &sender_port);
        if (got < 0)
            break;
        hub->PutReceivedData(scratch.constData(), int(got), now);
    }
}

void DebugUDP::on_error()
{
    report_device_error("DDebugUDP - " + device_->errorString().toUtf8());
}
