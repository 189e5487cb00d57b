#ifndef ZAZUSENDER_H
#define ZAZUSENDER_H

#include <QtGlobal>
#include <atomic>

// A TCP server on 127.0.0.1 that, once a client connects, pushes ZazuZavuv
// frames of kChannels channels as fast as the connection takes them, for
// `seconds`. Channels 0 to 3 carry the row number, a byte each: integers up
// to 255 as floats never form the frame tail 00 00 80 7F, not even across
// values (wider integers do: 1022.0 after 0.0 does). Channel c >= 4 holds c.
// Run it on a thread of its own; the atomics are its report.
class ZazuSender
{
public:
    static constexpr int kChannels = 8;
    static constexpr int kFrame = kChannels * 4 + 4;

    int seconds = 5;
    // Closes the connection when done instead of waiting for the client to.
    bool close_when_done = false;

    std::atomic<quint16> port{0};
    std::atomic<bool> listening{false};
    std::atomic<bool> failed{false};
    std::atomic<bool> done{false};
    std::atomic<qint64> rows{0};

    void run();

    // The row number a stored row carries in its first four channels.
    static qint64 row_of(const float *digits[4], int at)
    {
        qint64 row = 0;
        for (int b = 3; b >= 0; --b)
            row = row * 256 + qint64(digits[b][at]);
        return row;
    }
};

#endif
