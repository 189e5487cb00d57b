#ifndef RAWCAPTUREWRITER_H
#define RAWCAPTUREWRITER_H

#include <QElapsedTimer>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "recordingsink.h"

class DataHub;

// Writes every chunk the hub receives to a raw capture file (see
// RawCaptureFormat). The receiving thread queues each chunk as a record
// before it is decoded and waits only while the queue is full (a TCP peer
// then slows down); a thread of its own writes the file without blocking,
// so a sink that stops taking data cannot keep the program from stopping.
class RawCaptureWriter
{
public:
    explicit RawCaptureWriter(DataHub *hub);
    ~RawCaptureWriter();

    bool open(const QString &path, QString *error);
    // Lets a receiving thread waiting for room go on; chunks still queue.
    void interrupt();
    // Detaches from the hub, writes what is queued and closes the file, as
    // CsvRowWriter::finish. False when anything could not be written.
    bool finish(int grace_ms = 1500, bool hard = false);
    bool failed() const { return failed_.load(); }
    // Why the file failed; read after finish().
    QString error() const { return sink_.error(); }

private:
    void on_chunk(const char *data, int length);
    void writer_loop();

    DataHub *hub_;
    RecordingSink sink_{"record"};
    QElapsedTimer clock_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::condition_variable room_;
    // About 16 MB of records waiting for the writer before the link waits.
    static constexpr size_t kMaxQueued = size_t(16) << 20;
    std::string pending_;
    std::vector<size_t> pending_ends_;  // where each record ends in pending_
    bool stop_ = false;
    bool interrupted_ = false;
    std::atomic<bool> writer_done_{false};
    std::atomic<bool> failed_{false};
    std::thread writer_;
};

#endif
