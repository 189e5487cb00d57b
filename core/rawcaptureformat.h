#ifndef RAWCAPTUREFORMAT_H
#define RAWCAPTUREFORMAT_H

#include <QByteArray>
#include <QtEndian>
#include <cstring>

// The raw capture file: every received chunk, in arrival order, with its
// arrival time, so a capture can be decoded again later.
//   header:  8 bytes "QELORAW1", then the start as int64 LE milliseconds
//            since the epoch (wall clock);
//   record:  uint32 LE byte count (1 to kMaxChunk), int64 LE microseconds
//            since the start, then the bytes.
struct RawCaptureFormat {
    static constexpr char kMagic[9] = "QELORAW1";
    static constexpr int kHeaderSize = 16;
    static constexpr int kRecordHeaderSize = 12;
    static constexpr quint32 kMaxChunk = 64u << 20;

    static QByteArray header(qint64 start_ms)
    {
        char out[kHeaderSize];
        std::memcpy(out, kMagic, 8);
        qToLittleEndian(start_ms, out + 8);
        return QByteArray(out, kHeaderSize);
    }
    static void record_header(char *out, quint32 length, qint64 micros)
    {
        qToLittleEndian(length, out);
        qToLittleEndian(micros, out + 4);
    }
    static bool read_header(const char *in, qint64 &start_ms)
    {
        if (std::memcmp(in, kMagic, 8) != 0)
            return false;
        start_ms = qFromLittleEndian<qint64>(in + 8);
        return true;
    }
    static void read_record_header(const char *in, quint32 &length, qint64 &micros)
    {
        length = qFromLittleEndian<quint32>(in);
        micros = qFromLittleEndian<qint64>(in + 4);
    }
};

#endif
