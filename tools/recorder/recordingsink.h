#ifndef RECORDINGSINK_H
#define RECORDINGSINK_H

#include <QString>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

// The file a recorder writes to, written without blocking so that a sink
// that stops taking data (a stalled pipe reader, a hung network file
// system) cannot keep the program from stopping. Text is formatted into
// out() in units (a CSV row, a capture record) closed by end_unit(); on a
// pipe whole units of at most one atomic write go out at a time, so a reader
// never sees half a unit when the writing has to give up. Used by one
// writer thread; give_up() and last_progress_ms() from any.
class RecordingSink
{
public:
    // `unit` names a unit in messages: "row", "record".
    explicit RecordingSink(const char *unit) : unit_(unit) {}
    ~RecordingSink();
    RecordingSink(const RecordingSink &) = delete;
    RecordingSink &operator=(const RecordingSink &) = delete;

    bool open(const QString &path, QString *error);
    bool is_open() const;
    std::string &out() { return out_; }
    void end_unit() { unit_ends_.push_back(out_.size()); }
    // Takes bytes with their unit ends in place of out(), which must be
    // drained; hands back the emptied buffers for reuse.
    void take(std::string &bytes, std::vector<size_t> &ends)
    {
        out_.swap(bytes);
        unit_ends_.swap(ends);
        bytes.clear();
        ends.clear();
    }
    // Writes what out() holds; false once the file failed or, after
    // give_up(), stopped taking data.
    bool drain();
    // Writes out() once it holds a megabyte.
    bool drain_if_full() { return out_.size() < kWriteChunk || drain(); }
    void give_up() { give_up_ = true; }
    // Waits for the writer thread to set `done`: as long as it takes while
    // bytes keep going out, until nothing went out for grace_ms; with `hard`
    // (the user asked to stop) grace_ms in all. Then gives up.
    void wait_then_give_up(const std::atomic<bool> &done, int grace_ms, bool hard);
    // Steady-clock milliseconds when bytes last went out (or now, at open).
    qint64 last_progress_ms() const { return last_progress_ms_.load(); }
    // Closes the file; false when that failed.
    bool close();
    QString error() const { return error_; }
    QString path() const { return path_; }

    static qint64 steady_ms();

private:
    static constexpr size_t kWriteChunk = size_t(1) << 20;
    void set_errno_error(const char *what);

    const char *unit_;
    QString path_;
    int fd_ = -1;
#ifdef Q_OS_WIN
    std::FILE *file_ = nullptr;  // written through stdio there
#endif
    bool pipe_like_ = false;
    std::string out_;
    size_t out_done_ = 0;
    std::vector<size_t> unit_ends_;  // offsets in out_ where units end
    size_t unit_next_ = 0;
    std::atomic<bool> give_up_{false};
    std::atomic<qint64> last_progress_ms_{0};
    QString error_;
};

#endif
