#ifndef DEBUGWAYINTERFACE_H
#define DEBUGWAYINTERFACE_H

#include <QByteArray>
#include <QCoreApplication>
#include <atomic>
#include <functional>
#include <mutex>

#include "commonthread.h"

class DataHub;
class IoEventLoop;
class OutBuffer;
class QIODevice;
class QTimer;

// What every link shares: the I/O thread on which the link creates and runs
// its device, the send tick, the file transfer and the hand-over of bytes to
// the hub. Each link adds only its device.
//
// close() may come before the I/O thread has made its loop, while it runs it
// or after it left it; lock_ keeps the loop pointer and the looping flag
// consistent between the UI thread and the I/O thread. Called from any
// other thread, close() returns once the I/O thread has ended, so nothing
// touches the link's device or handlers after it.
class DebugWayInterface
{
    Q_DECLARE_TR_FUNCTIONS(DebugWayInterface)

public:
    DebugWayInterface();
    virtual ~DebugWayInterface();

    virtual void initialization();
    virtual void deinitialization();
    virtual void io_loop();
    virtual void close();
    virtual void open();
    virtual void send(QByteArray datas);

    bool connected() const { return connected_; }
    DataHub *datahub() const { return datahub_; }
    void set_datahub(DataHub *hub) { datahub_ = hub; }

    // The send tick; each link's IOSlotsObj calls it on the I/O thread.
    void onTickTimeout();

protected:
    enum class Route { Here, Posted, Closed };

    // Runs fn on the I/O thread: Here when already there (the caller runs
    // it), Posted when handed to the running loop, Closed when there is none.
    Route route_to_io_thread(std::function<void()> fn);
    bool on_io_thread() const;
    IoEventLoop *event_loop() const { return event_loop_; }
    QTimer *tick_timer() const { return tick_timer_; }

    // Serial, UDP and TCP client: write when connected, else report
    // unconnected (null: drop silently). Bytes that write() refuses to send
    // are not echoed.
    void send_pattern(const QByteArray &datas, const char *unconnected,
                      const std::function<bool(const QByteArray &)> &write);
    void report_sent(const QByteArray &datas);
    // Reports text and closes the link: a device error always closes it.
    void report_device_error(const QByteArray &text);
    // Reads everything the device holds into the hub, all with one time.
    void read_into_hub(QIODevice *device);
    void beat();
    // Class name and " - ", the prefix of the link's terminal messages.
    QByteArray link_prefix() const;
    void set_tick_interval(int ms);
    // Waits until the I/O thread has ended; returns at once on that thread.
    void wait_io_thread();
    // For the links' destructors: closes the link and waits for its threads.
    void shutdown();

    std::atomic<bool> connected_{false};

private:
    static void io_routine(void *arg);
    static void file_send_routine(void *arg);
    void send_pending(OutBuffer *ob);

    QTimer *tick_timer_ = nullptr;
    std::atomic<DataHub *> datahub_{nullptr};
    std::atomic<bool> io_looping_{false};
    bool last_repeating_ = false;
    CommonThread file_thread_;
    CommonThread io_thread_;
    IoEventLoop *event_loop_ = nullptr;
    std::mutex lock_;
};

#endif
