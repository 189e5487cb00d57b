#include "recordoptions.h"

#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QRegularExpression>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextCodec>
#include <functional>
#include <map>

namespace {

bool to_int(const QString &text, int lo, int hi, int *out)
{
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    if (!ok || v < lo || v > hi)
        return false;
    *out = v;
    return true;
}

// A command file as the main window saves it (envelope of type "cmds"
// around a list of nodes), or a bare node or list; run as one pass of a
// root group.
bool load_cmds(const QString &path, QJsonObject *root, QString *why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("cannot be read");
        return false;
    }
    QJsonParseError perr;
    const QJsonDocument doc = QJsonDocument::fromJson(file.read(64 << 20), &perr);
    if (doc.isNull()) {
        *why = QStringLiteral("is not JSON (%1)").arg(perr.errorString());
        return false;
    }
    QJsonValue body = doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
    const QJsonObject top = doc.object();
    if (doc.isObject() && top.contains(QLatin1String("type"))) {
        if (top.value(QLatin1String("type")).toString() != QLatin1String("cmds")) {
            *why = QStringLiteral("is not a command file (type \"%1\")").arg(top.value(QLatin1String("type")).toString());
            return false;
        }
        const int v = top.value(QLatin1String("vnumber")).toInt(-1);
        if (v < 3 || v > 100) {
            *why = QStringLiteral("has version %1; versions 3 to 100 are accepted").arg(v);
            return false;
        }
        body = top.value(QLatin1String("ctx"));
    }
    QJsonArray nodes;
    if (body.isArray())
        nodes = body.toArray();
    else if (body.isObject())
        nodes.append(body.toObject());
    else {
        *why = QStringLiteral("holds no commands");
        return false;
    }
    *root = QJsonObject{{"is_group", true}, {"loop_on", true}, {"loop_count", 1}, {"loop_ms", 0}, {"subCmds", nodes}};
    return true;
}

}

QString RecordOptions::engine_name() const
{
    if (!engine.isEmpty())
        return engine;
    if (link == QLatin1String("demo"))
        return protocol;
    return QStringLiteral("ZezoRovar");
}

bool RecordOptions::parse(const QStringList &args, QString *error)
{
    using Setter = std::function<bool(const QString &, QString *)>;
    auto text = [](QString *field) { return Setter([field](const QString &v, QString *) { *field = v; return true; }); };
    auto choice = [](QString *field, QStringList allowed) {
        return Setter([field, allowed](const QString &v, QString *why) {
            if (!allowed.contains(v)) {
                *why = QStringLiteral("accepts %1").arg(allowed.join(QLatin1String(", ")));
                return false;
            }
            *field = v;
            return true;
        });
    };
    auto number = [](int *field, int lo, int hi) {
        return Setter([field, lo, hi](const QString &v, QString *why) {
            if (!to_int(v, lo, hi, field)) {
                *why = QStringLiteral("accepts a whole number from %1 to %2").arg(lo).arg(hi);
                return false;
            }
            return true;
        });
    };
    auto address = [](QString *field) {
        return Setter([field](const QString &v, QString *why) {
            // A number, or a host name the link looks up when it opens.
            static const QRegularExpression name(
                QStringLiteral("^(?=.{1,253}$)[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?"
                               "(\\.[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?)*\\.?$"));
            if (QHostAddress(v).isNull() && !name.match(v).hasMatch()) {
                *why = QStringLiteral("accepts an IPv4 or IPv6 address or a host name");
                return false;
            }
            *field = v;
            return true;
        });
    };

    const std::map<QString, Setter> valued = {
        {"--link", choice(&link, {"demo", "serial", "udp", "tcp-client", "tcp-server", "replay"})},
        {"--file", text(&replay_file)},
        {"--speed", Setter([this](const QString &v, QString *why) {
             bool ok = false;
             speed = v.toDouble(&ok);
             if (ok && speed > 0 && speed <= 1e6)
                 return true;
             *why = QStringLiteral("accepts a factor above 0 (1: the recorded pace)");
             return false;
         })},
        {"--raw", text(&raw)},
        {"--port", text(&port)},
        {"--baud", Setter([this](const QString &v, QString *why) {
             int b = 0;
             if (!to_int(v, 1, 100000000, &b)) {
                 *why = QStringLiteral("accepts a baud rate such as 115200");
                 return false;
             }
             baud = v;
             return true;
         })},
        {"--databits", choice(&databits, {"5", "6", "7", "8"})},
        {"--stopbits", choice(&stopbits, {"1", "1.5", "2"})},
        {"--parity", choice(&parity, {"None", "Even", "Odd", "Space", "Mark"})},
        {"--flow", choice(&flow, {"None", "Hard", "Soft"})},
        {"--remote-ip", address(&remote_ip)},
        {"--remote-port", number(&remote_port, 1, 65535)},
        {"--local-port", number(&local_port, 0, 65535)},
        {"--server-ip", address(&server_ip)},
        {"--server-port", number(&server_port, 1, 65535)},
        {"--banner", text(&banner)},
        {"--listen-port", number(&listen_port, 0, 65535)},
        {"--protocol", choice(&protocol, {"ZezoRovar", "ZazuZavuv"})},
        {"--period", number(&period, 1, 3600000)},
        {"--csv-dir", text(&csv_dir)},
        {"--picture-dir", text(&picture_dir)},
        {"--engine", text(&engine)},
        {"--seconds", Setter([this](const QString &v, QString *why) {
             bool ok = false;
             seconds = v.toDouble(&ok);
             if (!ok || !(seconds > 0) || seconds > 1e9) {
                 *why = QStringLiteral("accepts a positive number of seconds");
                 return false;
             }
             return true;
         })},
        {"--rows", Setter([this](const QString &v, QString *why) {
             bool ok = false;
             rows = v.toLongLong(&ok);
             if (!ok || rows <= 0) {
                 *why = QStringLiteral("accepts a positive whole number");
                 return false;
             }
             return true;
         })},
        {"--csv", text(&csv)},
        {"--encoder", Setter([this](const QString &v, QString *why) {
             if (!QTextCodec::codecForName(v.toUtf8())) {
                 *why = QStringLiteral("accepts a text codec name such as UTF-8 or GBK");
                 return false;
             }
             encoder = v;
             return true;
         })},
        {"--send", Setter([this](const QString &v, QString *) { send.append(v); return true; })},
        {"--send-hex", Setter([this](const QString &v, QString *) { send_hex.append(v); return true; })},
        {"--send-file", Setter([this](const QString &v, QString *why) {
             if (!QFileInfo(v).isFile()) {
                 *why = QStringLiteral("accepts an existing file");
                 return false;
             }
             send_file = v;
             return true;
         })},
        {"--cmds", Setter([this](const QString &v, QString *why) {
             QString reason;
             if (!load_cmds(v, &cmds, &reason)) {
                 *why = QStringLiteral("accepts a command file as the main window saves it; %1 %2").arg(v, reason);
                 return false;
             }
             cmds_file = v;
             return true;
         })},
    };
    const std::map<QString, bool *> flags = {
        {"--terminal", &terminal}, {"--hex", &hex}, {"--list-engines", &list_engines},
        {"--list-ports", &list_ports}, {"--help", &help}, {"-h", &help},
        {"--as-fast-as-possible", &as_fast}, {"--reconnect", &reconnect},
    };

    for (int i = 0; i < args.size(); ++i) {
        QString name = args.at(i);
        QString value;
        bool inline_value = false;
        const int eq = name.indexOf(QLatin1Char('='));
        if (name.startsWith(QLatin1String("--")) && eq > 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
            inline_value = true;
        }
        if (name == QLatin1String("--time-column")) {
            // A flag with an optional inline value.
            time_column = inline_value ? value : QStringLiteral("absolute");
            if (time_column != QLatin1String("absolute") && time_column != QLatin1String("relative")) {
                *error = QStringLiteral("--time-column=%1: accepts absolute or relative").arg(value);
                return false;
            }
            continue;
        }
        auto flag = flags.find(name);
        if (flag != flags.end() && !inline_value) {
            *flag->second = true;
            continue;
        }
        auto setter = valued.find(name);
        if (setter == valued.end()) {
            *error = QStringLiteral("unknown option %1 (see --help)").arg(args.at(i));
            return false;
        }
        if (!inline_value) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("%1 needs a value").arg(name);
                return false;
            }
            value = args.at(++i);
        }
        QString why;
        if (!setter->second(value, &why)) {
            *error = QStringLiteral("%1 %2: %3").arg(name, value, why);
            return false;
        }
    }
    if (as_fast)
        speed = 0;
    if (link == QLatin1String("replay") && replay_file.isEmpty() && !list_ports && !list_engines && !help) {
        *error = QStringLiteral("--link replay needs --file (a raw capture written with --raw)");
        return false;
    }
    if (terminal && hex) {
        *error = QStringLiteral("--terminal and --hex exclude each other");
        return false;
    }
    if (link == QLatin1String("serial") && port.isEmpty() && !list_ports && !list_engines && !help) {
        *error = QStringLiteral("--link serial needs --port (a port name or a device path; see --list-ports)");
        return false;
    }
    return true;
}

QString RecordOptions::usage()
{
    return QStringLiteral(
        "Usage: qelo-record [options]\n"
        "Records the channels a data engine decodes from one link, without a window.\n"
        "\n"
        "Link:\n"
        "  --link demo|serial|udp|tcp-client|tcp-server|replay   (default demo)\n"
        "  serial:     --port NAME|PATH --baud N (115200) --databits 5|6|7|8 (8)\n"
        "              --stopbits 1|1.5|2 (1) --parity None|Even|Odd|Space|Mark (None)\n"
        "              --flow None|Hard|Soft (None)\n"
        "  udp:        --remote-ip HOST (127.0.0.1) --remote-port N (1346) --local-port N (1347)\n"
        "  tcp-client: --server-ip HOST (127.0.0.1) --server-port N (1346) --banner TEXT (plot0)\n"
        "  tcp-server: --listen-port N (1347)\n"
        "  demo:       --protocol ZezoRovar|ZazuZavuv (ZezoRovar) --period MS (15)\n"
        "              --csv-dir DIR --picture-dir DIR\n"
        "  --reconnect reopen a serial port, TCP client or UDP link that drops, waiting\n"
        "              0.5 s, then up to 5 s between attempts; the files go on\n"
        "  replay:     --file FILE (a raw capture) --speed X (1: the recorded pace)\n"
        "              or --as-fast-as-possible\n"
        "Decoding:\n"
        "  --engine NAME       engine in plugins/dataengines (default: the demo's format, else ZezoRovar)\n"
        "  --list-engines      print the engines and end\n"
        "  --list-ports        print the serial ports and end\n"
        "Recording (until the first of these, Ctrl+C or the link closing):\n"
        "  --seconds N         stop after N seconds\n"
        "  --rows N            stop after N rows\n"
        "  --csv FILE          write every decoded row (header of channel names, CR LF)\n"
        "  --raw FILE          write every received byte as it arrives, for --link replay:\n"
        "                      \"QELORAW1\", the start (int64 LE ms since the epoch), then per\n"
        "                      chunk its length (uint32 LE), its time (int64 LE us since the\n"
        "                      start) and its bytes\n"
        "  --time-column[=relative]\n"
        "                      lead each CSV row with its arrival time: ISO 8601 local time\n"
        "                      with milliseconds, or seconds since the start (header \"time\")\n"
        "  --terminal          print the terminal's text (with ANSI colours) as it arrives\n"
        "  --hex               print the hex view instead\n"
        "Sending:\n"
        "  --send TEXT         send text with the send buffer's escapes, encoded with --encoder (UTF-8)\n"
        "  --send-hex HEX      send hex bytes\n"
        "  --send-file FILE    send a file\n"
        "  --cmds FILE         run a command tree file as the main window saves it\n"
        "\n"
        "Exit codes: 0 done, 2 bad options, 3 the link could not be opened, 4 the CSV file could not be written.\n");
}
