#ifndef CSVROWWRITER_H
#define CSVROWWRITER_H

#include <QString>
#include <QByteArray>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

class DataHub;

// Writes every row the hub stores to a CSV file as it arrives: a header of
// channel names, values with the channels' precision, CR LF line ends (the
// hub's own file format). Rows are handed over by the hub's row tap on the
// decoding thread and formatted on a writer thread of their own, so the
// recording keeps up with the link and is not limited by the ring.
class CsvRowWriter
{
public:
    explicit CsvRowWriter(DataHub *hub);
    ~CsvRowWriter();

    bool open(const QString &path, QString *error);
    // Detaches from the hub, writes what is queued and closes the file.
    // False when anything could not be written.
    bool finish();
    qint64 rows() const { return rows_.load(std::memory_order_relaxed); }
    // Rows after the first limit are not written (0: no limit).
    void set_limit(qint64 limit) { limit_ = limit; }
    bool failed() const { return failed_.load(); }

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
        std::vector<Header> headers;
    };
    void on_row(const float *values, int count);
    void writer_loop();
    void write_batch(const Batch &batch);

    DataHub *hub_;
    std::FILE *file_ = nullptr;
    std::mutex lock_;
    std::condition_variable wake_;
    std::condition_variable room_;
    // About 32 MB of values waiting for the writer at most.
    static constexpr size_t kMaxQueuedValues = size_t(8) << 20;
    Batch pending_;
    bool stop_ = false;
    std::thread writer_;
    std::atomic<qint64> rows_{0};
    qint64 limit_ = 0;
    std::atomic<bool> failed_{false};

    int width_ = -1;                  // channel count of the last header
    std::vector<int> precision_;      // used by the writer thread
    std::string line_;
};

#endif
