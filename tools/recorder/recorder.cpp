#include "recorder.h"

#include <QCoreApplication>
#include <QFile>
#include <QMetaProperty>
#include <QSerialPortInfo>
#include <QTextCodec>
#include <csignal>
#include <cstdio>
#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define STDERR_FILENO 2
#else
#include <unistd.h>
#endif

#include "csvrowwriter.h"
#include "rawcapturewriter.h"
#include "rawcaptureformat.h"
#include "datahub.h"
#include "linkfactory.h"
#include "runpath.h"

namespace {

// Set by Ctrl+C (or SIGTERM); the status tick notices it.
volatile std::sig_atomic_t g_interrupted = 0;

void on_interrupt(int)
{
    g_interrupted = 1;
}

// Seconds a link may take to come up before the opening counts as failed.
constexpr int kOpenTimeoutMs = 10000;

QString rate(double value, const char *unit)
{
    return QString::asprintf("%.2f %s", value, unit);
}

}

Recorder::Recorder(const RecordOptions &options, QObject *parent)
    : QObject(parent), options_(options)
{
    status_on_tty_ = ::isatty(STDERR_FILENO);
    connect(&status_timer_, &QTimer::timeout, this, &Recorder::on_status_tick);
    open_timer_.setSingleShot(true);
    connect(&open_timer_, &QTimer::timeout, this, [this]() {
        last_error_ = "the link did not come up within 10 seconds";
        stop(RecordOptions::LinkFailed);
    });
}

Recorder::~Recorder()
{
    if (link_)
        delete link_;
    csv_.reset();
    raw_.reset();
    delete hub_;
}

qint64 Recorder::stored_rows() const
{
    return hub_ ? hub_->stored_rows() - rows_at_start_ : 0;
}

bool Recorder::start()
{
    hub_ = new DataHub;
    hub_->set_size(50000);
    connect(hub_, &DataHub::link_error, this, &Recorder::on_link_error);

    DataEngineLoader *loader = hub_->data_engine_loader();
    loader->loadEngines();
    const QString engine = options_.engine_name();
    const int index = loader->name_list().indexOf(engine);
    if (index < 0) {
        std::fprintf(stderr, "qelo-record: --engine %s: accepts one of: %s\n", qPrintable(engine),
                     qPrintable(loader->name_list().join(QLatin1String(", "))));
        exit_code_ = RecordOptions::BadOptions;
        return false;
    }
    loader->selectEngine(index);
    if (!loader->engine()) {
        std::fprintf(stderr, "qelo-record: the engine %s could not be loaded\n", qPrintable(engine));
        exit_code_ = RecordOptions::BadOptions;
        return false;
    }

    TextBuffer *text = hub_->text_buffer();
    const bool show = options_.terminal || options_.hex;
    text->set_if_show_echo(show);
    text->set_if_show_tx(show);
    text->set_if_show_time(true);
    text->set_encoder(options_.encoder);
    if (show) {
        const bool want_hex = options_.hex;
        text->set_tap([want_hex](bool hex, const QString &piece) {
            if (hex != want_hex)
                return;
            const QByteArray bytes = piece.toUtf8();
            std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        });
    }
    // Errors are never hidden, even without the terminal.
    if (!show)
        text->set_if_show_time(false);

    if (!options_.csv.isEmpty()) {
        csv_ = std::make_unique<CsvRowWriter>(hub_);
        csv_->set_limit(options_.rows);
        if (!options_.time_column.isEmpty())
            csv_->set_time_column(options_.time_column == QLatin1String("relative") ? RowTimeFormat::Relative
                                                                                    : RowTimeFormat::Absolute);
        QString error;
        if (!csv_->open(options_.csv, &error)) {
            std::fprintf(stderr, "qelo-record: %s\n", qPrintable(error));
            exit_code_ = RecordOptions::CsvFailed;
            return false;
        }
    }

    if (options_.link == QLatin1String("replay")) {
        // A file that is no capture is refused before anything starts.
        QFile capture(options_.replay_file);
        qint64 start_ms = 0;
        if (!capture.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "qelo-record: --file %s: %s\n", qPrintable(options_.replay_file),
                         qPrintable(capture.errorString()));
            exit_code_ = RecordOptions::LinkFailed;
            return false;
        }
        const QByteArray head = capture.read(RawCaptureFormat::kHeaderSize);
        if (head.size() < RawCaptureFormat::kHeaderSize || !RawCaptureFormat::read_header(head.constData(), start_ms)) {
            std::fprintf(stderr, "qelo-record: --file %s is not a raw capture (written with --raw)\n",
                         qPrintable(options_.replay_file));
            exit_code_ = RecordOptions::LinkFailed;
            return false;
        }
    }
    if (!options_.raw.isEmpty()) {
        raw_ = std::make_unique<RawCaptureWriter>(hub_);
        QString error;
        if (!raw_->open(options_.raw, &error)) {
            std::fprintf(stderr, "qelo-record: %s\n", qPrintable(error));
            exit_code_ = RecordOptions::CsvFailed;
            return false;
        }
    }

    QString error;
    if (!make_link(&error)) {
        std::fprintf(stderr, "qelo-record: %s\n", qPrintable(error));
        exit_code_ = RecordOptions::BadOptions;
        return false;
    }

    std::signal(SIGINT, on_interrupt);
    std::signal(SIGTERM, on_interrupt);

    rows_at_start_ = hub_->stored_rows();
    clock_.start();
    status_timer_.start(50);
    open_timer_.start(kOpenTimeoutMs);
    if (options_.seconds > 0)
        QTimer::singleShot(int(std::min(options_.seconds * 1000.0, 2e9)), this, [this]() { stop(RecordOptions::Done); });
    QMetaObject::invokeMethod(link_, "open");
    on_connected_changed();
    return true;
}

bool Recorder::make_link(QString *error)
{
    link_ = LinkFactory::create(options_, hub_, error);
    if (!link_)
        return false;
    const QMetaObject *meta = link_->metaObject();
    const QMetaProperty prop = meta->property(meta->indexOfProperty("connected"));
    connect(link_, prop.notifySignal(), this, metaObject()->method(metaObject()->indexOfSlot("on_connected_changed()")));
    return true;
}

// One attempt to bring a dropped link back; the next follows after a wait
// that doubles up to 5 s while the link stays down.
void Recorder::reopen()
{
    if (stopping_ || was_connected_)
        return;
    if (link_) {
        QMetaObject::invokeMethod(link_, "close");
        delete link_;
        link_ = nullptr;
    }
    QString error;
    if (!make_link(&error)) {
        last_error_ = error.toLocal8Bit();
        stop(RecordOptions::LinkFailed);
        return;
    }
    ++attempts_;
    std::fprintf(stderr, "qelo-record: reopening the link (attempt %d)\n", attempts_);
    QMetaObject::invokeMethod(link_, "open");
    const int wait = backoff_ms_;
    backoff_ms_ = std::min(backoff_ms_ * 2, 5000);
    QTimer::singleShot(wait, this, [this]() {
        if (!stopping_ && !was_connected_)
            reopen();
    });
    on_connected_changed();
}

void Recorder::on_connected_changed()
{
    if (stopping_ || !link_)
        return;
    const bool connected = link_->property("connected").toBool();
    if (connected && !was_connected_) {
        was_connected_ = true;
        open_timer_.stop();
        if (reconnecting_) {
            std::fprintf(stderr, "qelo-record: the link is back after %d attempt%s\n", attempts_,
                         attempts_ == 1 ? "" : "s");
            reconnecting_ = false;
            attempts_ = 0;
            backoff_ms_ = 500;
        } else {
            queue_sending();
        }
    } else if (!connected && was_connected_) {
        if (!options_.reconnect) {
            stop(RecordOptions::Done); // the link closed
            return;
        }
        // The recording goes on in the same files once the link is back.
        was_connected_ = false;
        reconnecting_ = true;
        std::fprintf(stderr, "qelo-record: the link dropped; reopening in %.1f s\n", backoff_ms_ / 1000.0);
        const int wait = backoff_ms_;
        QTimer::singleShot(wait, this, [this]() { reopen(); });
    }
}

void Recorder::on_link_error(QByteArray text)
{
    last_error_ = text;
    // Some errors while opening are only warnings (a port without modem
    // lines, say): the opening failed only if the link is not up shortly
    // after.
    if (!was_connected_ && !stopping_ && !reconnecting_)
        QTimer::singleShot(500, this, [this]() {
            if (!was_connected_ && !stopping_ && !reconnecting_)
                stop(RecordOptions::LinkFailed);
        });
}

void Recorder::queue_sending()
{
    OutBuffer *out = hub_->out_buffer();
    for (const QString &t : qAsConst(options_.send))
        out->appendString(t.toUtf8(), options_.encoder);
    for (const QString &h : qAsConst(options_.send_hex))
        out->appendHex(h.toLatin1());
}

void Recorder::on_status_tick()
{
    if (stopping_)
        return;
    if (g_interrupted) {
        stop(RecordOptions::Done);
        return;
    }
    std::fflush(stdout);
    // Texts first, then the file, then the command tree: each waits for the
    // one before, since the send buffer refuses appends during a file.
    OutBuffer *out = hub_->out_buffer();
    if (was_connected_ && out->datas().isEmpty() && !out->is_sending_file()) {
        if (!options_.send_file.isEmpty()) {
            out->appendFile(options_.send_file);
            options_.send_file.clear();
        } else if (!options_.cmds.isEmpty() && !out->repeating()) {
            out->appendRepeatCmd(options_.cmds, {0});
            options_.cmds = QJsonObject();
        }
    }
    const qint64 rows = csv_ ? csv_->rows() : stored_rows();
    if (options_.rows > 0 && rows >= options_.rows) {
        stop(RecordOptions::Done);
        return;
    }
    if (raw_ && raw_->failed()) {
        last_error_ = raw_->error().toLocal8Bit();
        stop(RecordOptions::CsvFailed);
        return;
    }
    if (csv_ && csv_->failed()) {
        stop(RecordOptions::CsvFailed);
        return;
    }
    if (status_on_tty_ && !options_.terminal && !options_.hex)
        print_status(false);
}

void Recorder::print_status(bool final_line)
{
    const double secs = std::max(clock_.elapsed() / 1000.0, 1e-3);
    rows_ = csv_ ? csv_->rows() : stored_rows();
    bytes_ = hub_->received_bytes();
    channels_ = hub_->num_lines();
    const IntakeCounters &c = hub_->counters();
    const qint64 lost = c.value(IntakeCounters::DroppedBytes);
    const qint64 rows_lost = c.value(IntakeCounters::RowsTooWide) + c.value(IntakeCounters::RowsWidthChange);
    const QString line = QStringLiteral("rows %1  %2  bytes %3  %4  frames %5  undecoded %6 B%7  elapsed %8 s")
                             .arg(rows_)
                             .arg(rate(rows_ / secs, "rows/s"))
                             .arg(bytes_)
                             .arg(rate(bytes_ / secs / 1e6, "MB/s"))
                             .arg(c.value(IntakeCounters::Frames))
                             .arg(c.value(IntakeCounters::UndecodedBytes))
                             .arg(lost || rows_lost ? QStringLiteral("  DROPPED %1 B %2 rows").arg(lost).arg(rows_lost)
                                                    : QString())
                             .arg(secs, 0, 'f', 1);
    if (final_line)
        std::fprintf(stderr, "%s", status_on_tty_ ? "\r\033[K" : "");
    else
        std::fprintf(stderr, "\r\033[K%s", qPrintable(line));
    std::fflush(stderr);
}

void Recorder::stop(int code)
{
    if (stopping_)
        return;
    stopping_ = true;
    exit_code_ = code;
    status_timer_.stop();
    open_timer_.stop();
    // A link waiting for room in a stalled file goes on, so that its thread
    // can end.
    if (csv_)
        csv_->interrupt();
    if (raw_)
        raw_->interrupt();
    if (link_)
        QMetaObject::invokeMethod(link_, "close");
    // Closing waits for the link's thread, so no row is stored after this.
    delete link_;
    link_ = nullptr;
    // A stop the user asked for gives both files 1.5 s in all.
    const bool hard = g_interrupted != 0;
    const qint64 finish_start = RecordingSink::steady_ms();
    bool csv_ok = true;
    if (csv_)
        csv_ok = csv_->finish(1500, hard);
    const int raw_grace = hard ? int(std::max<qint64>(100, 1500 - (RecordingSink::steady_ms() - finish_start))) : 1500;
    if (raw_ && !raw_->finish(raw_grace, hard) && exit_code_ == RecordOptions::Done) {
        exit_code_ = RecordOptions::CsvFailed;
        last_error_ = raw_->error().toLocal8Bit();
    }
    hub_->text_buffer()->set_tap(nullptr);
    std::fflush(stdout);
    if (status_on_tty_)
        print_status(true);
    if (!csv_ok && exit_code_ == RecordOptions::Done)
        exit_code_ = RecordOptions::CsvFailed;
    if (!csv_ok && exit_code_ == RecordOptions::CsvFailed)
        last_error_ = csv_->error().isEmpty() ? QByteArray("writing the CSV file failed") : csv_->error().toLocal8Bit();
    const double secs = std::max(clock_.elapsed() / 1000.0, 1e-3);
    rows_ = csv_ ? csv_->rows() : stored_rows();
    bytes_ = hub_->received_bytes();
    channels_ = hub_->num_lines();
    if (exit_code_ == RecordOptions::LinkFailed) {
        std::fprintf(stderr, "qelo-record: the link could not be opened: %s\n", last_error_.constData());
    } else if (exit_code_ == RecordOptions::CsvFailed) {
        std::fprintf(stderr, "qelo-record: %s\n", last_error_.constData());
    }
    std::fprintf(stderr, "rows: %lld\nbytes: %lld\nduration: %.3f s\nrows/s: %.1f\nMB/s: %.3f\nchannels: %d\n",
                 (long long)rows_, (long long)bytes_, secs, rows_ / secs, bytes_ / secs / 1e6, channels_);
    // The session's counters, a line each.
    const IntakeCounters &counters = hub_->counters();
    for (int k = 0; k < IntakeCounters::Count; ++k)
        std::fprintf(stderr, "%s: %lld\n", IntakeCounters::name(IntakeCounters::Counter(k)),
                     (long long)counters.value(IntakeCounters::Counter(k)));
    if (!options_.raw.isEmpty() && exit_code_ != RecordOptions::CsvFailed)
        std::fprintf(stderr, "raw: %s\n", qPrintable(options_.raw));
    if (!options_.csv.isEmpty() && exit_code_ != RecordOptions::CsvFailed)
        std::fprintf(stderr, "csv: %s\n", qPrintable(options_.csv));
    emit finished();
}

// The links' and the hub's debug lines would mix with the recording on the
// terminal; warnings still reach standard error.
static void quiet_debug(QtMsgType type, const QMessageLogContext &, const QString &msg)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(msg));
}

int Recorder::main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QELO_RECORD_DEBUG"))
        qInstallMessageHandler(quiet_debug);
    QCoreApplication app(argc, argv);
    RunPath::capture();
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    RecordOptions options;
    QString error;
    if (!options.parse(args, &error)) {
        std::fprintf(stderr, "qelo-record: %s\n\n%s", qPrintable(error), qPrintable(RecordOptions::usage()));
        return RecordOptions::BadOptions;
    }
    if (options.help) {
        std::printf("%s", qPrintable(RecordOptions::usage()));
        return RecordOptions::Done;
    }
    if (options.list_ports) {
        for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
            std::printf("%s\t%s\n", qPrintable(info.systemLocation()), qPrintable(info.description()));
        if (!options.list_engines)
            return RecordOptions::Done;
    }
    if (options.list_engines) {
        DataEngineLoader loader;
        loader.loadEngines();
        for (const QString &name : loader.name_list())
            std::printf("%s\n", qPrintable(name));
        return RecordOptions::Done;
    }
    Recorder recorder(options);
    QObject::connect(&recorder, &Recorder::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    if (!recorder.start())
        return recorder.exit_code();
    app.exec();
    return recorder.exit_code();
}
