#include "debugwayinterface.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QTimer>
#include <algorithm>

#include "datahub.h"
#include "ioeventloop.h"

namespace {
constexpr int kTickMs = 50;
constexpr int kFileTickMs = 10;
// Keeps every chunk far below the hub's receive limit, whatever the device
// has buffered.
constexpr qint64 kMaxReadChunk = 1 << 20;
}

DebugWayInterface::DebugWayInterface()
    : file_thread_(&DebugWayInterface::file_send_routine, this)
    , io_thread_(&DebugWayInterface::io_routine, this)
{
}

DebugWayInterface::~DebugWayInterface() = default;

void DebugWayInterface::io_routine(void *arg)
{
    auto *self = static_cast<DebugWayInterface *>(arg);
    self->initialization();
    qDebug() << "this_ptr->io_looping_" << self->io_looping_.load();
    while (self->io_looping_) {
        self->event_loop_->exec();
        self->io_loop();
    }
    self->deinitialization();
}

void DebugWayInterface::initialization()
{
    {
        std::lock_guard<std::mutex> locker(lock_);
        event_loop_ = new IoEventLoop;
    }
    qDebug() << "DebugWayInterface::initialization";
    tick_timer_ = new QTimer;
    tick_timer_->setTimerType(Qt::PreciseTimer);
    tick_timer_->start(kTickMs);
}

void DebugWayInterface::deinitialization()
{
    tick_timer_->stop();
    delete tick_timer_;
    tick_timer_ = nullptr;
    {
        std::lock_guard<std::mutex> locker(lock_);
        delete event_loop_;
        event_loop_ = nullptr;
    }
    qDebug() << "DebugWayInterface::deinitialization";
}

void DebugWayInterface::io_loop()
{
    qDebug() << "DebugWayInterface::io_loop";
}

void DebugWayInterface::close()
{
    {
        std::lock_guard<std::mutex> locker(lock_);
        io_looping_ = false;
        if (event_loop_) {
            event_loop_->exit(0);
            // exit() is lost on a loop that has not entered exec() yet; a
            // posted quit waits for it.
            QMetaObject::invokeMethod(event_loop_, "quit", Qt::QueuedConnection);
        }
    }
    wait_io_thread();
}

void DebugWayInterface::open()
{
    for (;;) {
        {
            std::lock_guard<std::mutex> locker(lock_);
            if (!io_thread_.running() || io_looping_ || on_io_thread()) {
                io_looping_ = true;
                io_thread_.start_routine();
                return;
            }
        }
        // The previous opening is still closing; a new thread can only
        // start once it has ended.
        io_thread_.join();
    }
}

void DebugWayInterface::send(QByteArray)
{
    beat();
}

void DebugWayInterface::wait_io_thread()
{
    if (!on_io_thread())
        io_thread_.join();
}

void DebugWayInterface::shutdown()
{
    close();
    if (file_thread_.running()) {
        if (DataHub *hub = datahub_)
            hub->out_buffer()->set_is_sending_file(false);
        file_thread_.join();
    }
}

bool DebugWayInterface::on_io_thread() const
{
    return QThread::currentThread() == &io_thread_;
}

DebugWayInterface::Route DebugWayInterface::route_to_io_thread(std::function<void()> fn)
{
    if (on_io_thread())
        return Route::Here;
    std::lock_guard<std::mutex> locker(lock_);
    if (!event_loop_ || !io_looping_)
        return Route::Closed;
    event_loop_->post(std::move(fn));
    return Route::Posted;
}

void DebugWayInterface::beat()
{
    if (DataHub *hub = datahub_)
        hub->set_heart_beat(true);
}

void DebugWayInterface::send_pattern(const QByteArray &datas, const char *unconnected,
                                     const std::function<bool(const QByteArray &)> &write)
{
    // The device lives on the I/O thread; a send from elsewhere goes there.
    const Route route = route_to_io_thread([this, datas] { send(datas); });
    if (route == Route::Posted)
        return;
    if (route == Route::Here && connected_) {
        beat();
        if (write(datas))
            report_sent(datas);
        return;
    }
    if (unconnected) {
        if (DataHub *hub = datahub_)
            hub->PutErrorData(unconnected);
    }
}

void DebugWayInterface::report_sent(const QByteArray &datas)
{
    DataHub *hub = datahub_;
    if (hub && !hub->out_buffer()->is_sending_file())
        hub->PutSentData(datas);
}

void DebugWayInterface::report_device_error(const QByteArray &text)
{
    if (DataHub *hub = datahub_)
        hub->PutErrorData(text);
    close();
}

void DebugWayInterface::read_into_hub(QIODevice *device)
{
    DataHub *hub = datahub_;
    if (!hub) {
        // Nowhere to go: drained so the device does not signal them again.
        device->readAll();
        return;
    }
    const QDateTime now = QDateTime::currentDateTime();
    QByteArray &scratch = hub->read_scratch();
    qint64 available;
    while ((available = device->bytesAvailable()) > 0) {
        const int want = int(std::min(available, kMaxReadChunk));
        if (scratch.size() < want)
            scratch.resize(want);
        const qint64 got = device->read(scratch.data(), want);
        if (got <= 0)
            break;
        hub->PutReceivedData(scratch.constData(), int(got), now);
    }
}

QByteArray DebugWayInterface::link_prefix() const
{
    const auto *object = dynamic_cast<const QObject *>(this);
    return object ? QByteArray(object->metaObject()->className()) + " - " : QByteArray();
}

void DebugWayInterface::set_tick_interval(int ms)
{
    ms = std::max(ms, 0);
    if (ms == tick_timer_->interval())
        return;
    tick_timer_->stop();
    tick_timer_->setTimerType(Qt::PreciseTimer);
    tick_timer_->start(ms);
}

void DebugWayInterface::send_pending(OutBuffer *ob)
{
    const QByteArray bytes = ob->takeDatas();
    if (!bytes.isEmpty())
        send(bytes);
}

void DebugWayInterface::onTickTimeout()
{
    DataHub *hub = datahub_;
    if (!hub)
        return;
    OutBuffer *ob = hub->out_buffer();
    if (ob->repeating()) {
        last_repeating_ = true;
        const Cmd *cmd = ob->nextRepeatCmd();
        if (!cmd) {
            ob->set_repeating(false);
            return;
        }
        // The step is only valid until the next call into the buffer.
        const QByteArray bytes = cmd->bytes();
        const int period = cmd->loop_ms();
        ob->set_current_cmd_position(cmd->position());
        set_tick_interval(period);
        if (!bytes.isEmpty())
            send(bytes);
        return;
    }
    if (ob->is_sending_file()) {
        send_pending(ob);
        if (!file_thread_.running()) {
            if (ob->sending_progress() == 0) {
                set_tick_interval(kFileTickMs);
                file_thread_.start_routine();
            } else {
                // The thread may have queued its last chunk after the take
                // above; it belongs to the file, so it goes out unechoed.
                send_pending(ob);
                set_tick_interval(kTickMs);
                ob->set_is_sending_file(false);
            }
        }
        return;
    }
    send_pending(ob);
    // A stopped transfer leaves file mode once, not at every later tick.
    if (ob->sending_progress() > 0 && tick_timer_->interval() == kFileTickMs) {
        set_tick_interval(kTickMs);
        ob->set_is_sending_file(false);
    }
    if (ob->repeating() != last_repeating_) {
        last_repeating_ = ob->repeating();
        set_tick_interval(kTickMs);
    }
}

void DebugWayInterface::file_send_routine(void *arg)
{
    auto *self = static_cast<DebugWayInterface *>(arg);
    DataHub *hub = self->datahub_;
    if (!hub)
        return;
    OutBuffer *ob = hub->out_buffer();
    QFile file(ob->file_path());
    const qint64 chunk = OutBuffer::kFileChunk;
    QByteArray buffer(int(chunk), Qt::Uninitialized);
    const qint64 size = file.size();
    ob->set_file_size(int(size));

    qint64 sent = 0;
    bool broken = false;
    // A file that grows meanwhile is sent as it was when the transfer began.
    const auto done = [&] { return sent >= size || file.atEnd(); };
    if (!file.open(QIODevice::ReadOnly)) {
        hub->PutErrorData(self->link_prefix() + tr("无法打开文件").toUtf8() + ": "
                          + file.fileName().toUtf8() + " (" + file.errorString().toUtf8() + ")");
    } else if (!file.atEnd()) {
        while (ob->is_sending_file()) {
            if (ob->datas().isEmpty()) {
                const qint64 got = file.read(buffer.data(), std::min(chunk, size - sent));
                if (got < 0) {
                    broken = true;
                    break;
                }
                if (got > 0)
                    ob->appendData(QByteArray(buffer.constData(), int(got)));
                sent += got;
                ob->set_sending_progress(int(float(sent) / float(size) * 100));
                ob->set_file_sent_size(int(sent));
            }
            QThread::msleep(10);
            if (done())
                break;
        }
        // Truncated while being read: the end came before the size.
        broken = broken || (sent < size && file.atEnd());
    }
    if (file.isOpen()) {
        if (!done())
            ob->takeDatas();
        file.close();
        if (broken) {
            hub->PutErrorData(self->link_prefix() + tr("文件读取中断").toUtf8() + ": "
                              + file.fileName().toUtf8());
        }
        const QString line = QLatin1Char('[') + tr("已发送文件")
            + QStringLiteral(": %1/%2 bytes, %3%]\n")
                  .arg(QString::number(sent), QString::number(size), QString::number(ob->sending_progress()));
        hub->text_buffer()->append_sent(line.toUtf8(), true);
        emit hub->text_message_updated();
        ob->set_file_size(0);
        ob->set_file_sent_size(int(size));
    }
    if (ob->sending_progress() != 100)
        ob->set_sending_progress(50);
}
