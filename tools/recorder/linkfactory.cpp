#include "linkfactory.h"

#include <QVariant>

#include "datahub.h"
#include "debugclient.h"
#include "debugdemo.h"
#include "debugreplay.h"
#include "debugserial.h"
#include "debugserver.h"
#include "debugudp.h"

QObject *LinkFactory::create(const RecordOptions &o, DataHub *hub, QString *error)
{
    QObject *link = nullptr;
    if (o.link == QLatin1String("demo")) {
        link = new DebugDemo;
        link->setProperty("protocal", o.protocol);
        link->setProperty("timeout", o.period);
        link->setProperty("send_csv_list", !o.csv_dir.isEmpty());
        link->setProperty("csv_dir", o.csv_dir);
        link->setProperty("send_picture", !o.picture_dir.isEmpty());
        link->setProperty("picture_dir", o.picture_dir);
    } else if (o.link == QLatin1String("serial")) {
        link = new DebugSerial;
        link->setProperty("port", o.port);
        link->setProperty("baud", o.baud);
        link->setProperty("databits", o.databits);
        link->setProperty("stopbits", o.stopbits);
        link->setProperty("parity", o.parity);
        link->setProperty("flow_control", o.flow);
    } else if (o.link == QLatin1String("udp")) {
        link = new DebugUDP;
        link->setProperty("serverAddr", o.remote_ip);
        link->setProperty("port_remote", o.remote_port);
        link->setProperty("port_local", o.local_port);
    } else if (o.link == QLatin1String("tcp-client")) {
        link = new DebugClient;
        link->setProperty("serverAddr", o.server_ip);
        link->setProperty("port", o.server_port);
        link->setProperty("banner", o.banner);
    } else if (o.link == QLatin1String("replay")) {
        link = new DebugReplay;
        link->setProperty("file", o.replay_file);
        link->setProperty("speed", o.speed);
    } else if (o.link == QLatin1String("tcp-server")) {
        link = new DebugServer;
        link->setProperty("port", o.listen_port);
    } else {
        *error = QStringLiteral("--link %1: accepts demo, serial, udp, tcp-client, tcp-server, replay").arg(o.link);
        return nullptr;
    }
    link->setProperty("datahub", QVariant::fromValue(hub));
    return link;
}
