#ifndef INTAKECOUNTERS_H
#define INTAKECOUNTERS_H

#include <QString>
#include <QVariantMap>
#include <QtGlobal>
#include <atomic>

// What one link session brought in and what became of it, counted where it
// happens and read from any thread without the hub's data lock. Nothing is
// reported as dropped that was not counted as dropped.
class IntakeCounters
{
public:
    enum Counter {
        ReceivedBytes,    // bytes the link delivered
        DecodedBytes,     // bytes inside frames that carry values or a picture
        UndecodedBytes,   // the other bytes taken: text, garbage, between frames
        Frames,           // frames that carry values or a picture
        Rows,             // rows stored
        RowsTooWide,      // rows dropped: more values than the channel limit
        RowsWidthChange,  // rows dropped while a new channel count settles
        Images,           // pictures decoded
        SentBytes,        // bytes sent
        LinkErrors,       // errors the link reported
        DroppedBytes,     // received bytes discarded undecoded (receive limit)
        Count
    };

    void add(Counter c, qint64 n) { values_[c].fetch_add(n, std::memory_order_relaxed); }
    qint64 value(Counter c) const { return values_[c].load(std::memory_order_relaxed); }
    void reset();
    // All counters by name, for the window and the recorder.
    QVariantMap snapshot() const;
    static const char *name(Counter c);
    // "rows 12, frames 12, ..." in a line.
    QString summary() const;

private:
    std::atomic<qint64> values_[Count] = {};
};

#endif
