#ifndef ROWTIMEFORMAT_H
#define ROWTIMEFORMAT_H

#include <QtGlobal>
#include <string>

// The time column of a CSV recording: each row's arrival time as ISO 8601
// local time with milliseconds and the offset from UTC, or as seconds since
// the start with three decimals. The column is headed "time"; a loader
// skips it.
class RowTimeFormat
{
public:
    enum Mode { None, Absolute, Relative };

    explicit RowTimeFormat(Mode mode = None, qint64 start_ms = 0) : mode_(mode), start_ms_(start_ms) {}

    Mode mode() const { return mode_; }
    // Appends the time of `ms` (since the epoch) to out.
    void append(qint64 ms, std::string &out);

private:
    Mode mode_;
    qint64 start_ms_;
    // The date and time down to the second is made once per second.
    qint64 second_ = -1;
    std::string prefix_;
    std::string zone_;
};

#endif
