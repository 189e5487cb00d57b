#ifndef RECORDOPTIONS_H
#define RECORDOPTIONS_H

#include <QJsonObject>
#include <QString>
#include <QStringList>

// The command line of qelo-record. Link defaults are the main window's.
struct RecordOptions {
    enum Exit { Done = 0, BadOptions = 2, LinkFailed = 3, CsvFailed = 4 };

    QString link = QStringLiteral("demo");
    // serial
    QString port;
    QString baud = QStringLiteral("115200");
    QString databits = QStringLiteral("8");
    QString stopbits = QStringLiteral("1");
    QString parity = QStringLiteral("None");
    QString flow = QStringLiteral("None");
    // UDP
    QString remote_ip = QStringLiteral("127.0.0.1");
    int remote_port = 1346;
    int local_port = 1347;
    // TCP client
    QString server_ip = QStringLiteral("127.0.0.1");
    int server_port = 1346;
    QString banner = QStringLiteral("plot0");
    // TCP server
    int listen_port = 1347;
    // replay of a raw capture: speed 0 plays it as fast as it decodes
    QString replay_file;
    double speed = 1.0;
    // demo
    QString protocol = QStringLiteral("ZezoRovar");
    int period = 15;
    QString csv_dir;
    QString picture_dir;

    QString engine; // empty: the demo's format, else ZezoRovar
    bool list_engines = false;
    bool list_ports = false;
    bool help = false;
    bool as_fast = false;
    bool reconnect = false; // reopen a dropped link, 0.5 s to 5 s apart

    double seconds = 0; // 0: no limit
    qint64 rows = 0;    // 0: no limit
    QString csv;
    QString raw; // a raw capture of every received byte
    // The CSV's leading time column: "" none, "absolute" or "relative".
    QString time_column;
    bool terminal = false;
    bool hex = false;

    QString encoder = QStringLiteral("UTF-8");
    QStringList send;
    QStringList send_hex;
    QString send_file;
    QString cmds_file;
    QJsonObject cmds; // the command tree of cmds_file, as one root group

    // Parses args (without the program name). On failure returns false and
    // sets error to a message naming the option and what it accepts.
    bool parse(const QStringList &args, QString *error);
    QString engine_name() const;

    static QString usage();
};

#endif
