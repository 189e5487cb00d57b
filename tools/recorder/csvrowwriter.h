#ifndef CSVROWWRITER_H
#define CSVROWWRITER_H

#include <QString>
#include <QByteArray>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "recordingsink.h"
#include "rowtimeformat.h"

class DataHub;

// Writes every row the hub stores to a CSV file as it arrives: a header of
// channel names, values with the channels' precision, CR LF line ends (the
// hub's own file format), optionally led by each row's arrival time. Rows
// are handed over by the hub's row tap on the decoding thread, which never
// waits here; a full queue holds the link back before the next chunk is
// decoded, outside the hub's lock. The rows are formatted and written on a
// thread of their own, without blocking on the file, so a sink that stops
// taking data (a stalled pipe reader) cannot keep the program from
// stopping: what reached the file then ends with a whole row.
class CsvRowWriter
{
public:
    explicit CsvRowWriter(DataHub *hub);
    ~CsvRowWriter();

    // Set before open(); relative times count from the opening.
    void set_time_column(RowTimeFormat::Mode mode) { time_format_ = RowTimeFormat(mode); }
    bool open(const QString &path, QString *error);
    // Lets a link waiting for room go on; rows still queue. Called first
    // when stopping, so the link's thread can end.
    void interrupt();
    // Detaches from the hub, writes what is queued and closes the file.
    // A file that takes nothing for `grace_ms` is given up; with `hard`
    // (the user asked to stop) the file gets `grace_ms` in all. False when
    // anything could not be written.
    bool finish(int grace_ms = 1500, bool hard = false);
    qint64 rows() const { return rows_.load(std::memory_order_relaxed); }
    // Rows after the first limit are not written (0: no limit).
    void set_limit(qint64 limit) { limit_ = limit; }
    bool failed() const { return failed_.load(); }
    // Why the file failed; read after finish().
    QString error() const { return sink_.error(); }

private:
    struct Header {
        QByteArray line;
        std::vector<int> precision;
    };
    // Rows in arrival order; a negative width -(k + 1) stands for header k,
    // which also sets the precisions of the rows after it.
    struct Batch {
        std::vector<float> values;
        std::vector<int> widths;
        std::vector<qint64> times;  // ms since the epoch, per row
        std::vector<Header> headers;
    };
    void on_row(const float *values, int count);
    void wait_for_room();
    void writer_loop();
    // Formats and writes; false once the file failed.
    bool format_batch(const Batch &batch);

    DataHub *hub_;
    qint64 start_ms_ = 0;
    RecordingSink sink_{"row"};
    std::mutex lock_;
    std::condition_variable wake_;
    std::condition_variable room_;
    // About 16 MB of values waiting for the writer before the link waits
    // (a decoding pass let through may add to it).
    static constexpr size_t kMaxQueuedValues = size_t(4) << 20;
    Batch pending_;
    bool stop_ = false;
    bool interrupted_ = false;
    std::atomic<bool> writer_done_{false};
    std::thread writer_;
    std::atomic<qint64> rows_{0};
    qint64 limit_ = 0;
    std::atomic<bool> failed_{false};

    int width_ = -1;                  // channel count of the last header
    std::vector<int> precision_;      // used by the writer thread
    RowTimeFormat time_format_;       // used by the writer thread
};

#endif
