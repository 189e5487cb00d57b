#include "textbuffer.h"

#include <mutex>
#include <QTime>

namespace {

const QString kReset = QStringLiteral("\x1B[0m");
// Bytes of one character never stay pending beyond this; they are shown
// as hex instead.
const int kMaxPending = 8;

QString colour_of(const QString &k)
{
    return QStringLiteral("\x1B[0;") + k + QLatin1Char('m');
}

void append_hex(QString &out, const char *data, int length, bool upper)
{
    static const char kUpper[] = "0123456789ABCDEF";
    static const char kLower[] = "0123456789abcdef";
    const char *digits = upper ? kUpper : kLower;
    if (length <= 0)
        return;
    const int start = out.size();
    out.resize(start + length * 3 - 1);
    QChar *p = out.data() + start;
    for (int i = 0; i < length; ++i) {
        const uchar b = uchar(data[i]);
        if (i)
            *p++ = QLatin1Char(' ');
        *p++ = QLatin1Char(digits[b >> 4]);
        *p++ = QLatin1Char(digits[b & 15]);
    }
}

// Appends t; with a stamp, one trailing and then one leading line feed are
// dropped and every other line feed becomes the stamp, so that each line
// starts with its own time header.
void append_lines(QString &out, const QString &t, const QString &stamp, bool keep_cr)
{
    const QChar *p = t.constData();
    int b = 0;
    int e = t.size();
    const bool split = !stamp.isEmpty();
    if (split) {
        if (e > b && p[e - 1].unicode() == '\n')
            --e;
        if (e > b && p[b].unicode() == '\n')
            ++b;
    }
    int run = b;
    for (int i = b; i < e; ++i) {
        const ushort c = p[i].unicode();
        if (c == '\n' && split) {
            out.append(p + run, i - run);
            out.append(stamp);
            run = i + 1;
        } else if (c == '\r' && !keep_cr) {
            out.append(p + run, i - run);
            run = i + 1;
        }
    }
    out.append(p + run, e - run);
}

} // namespace

const QString &TextBuffer::Ring::at(int back) const
{
    const int n = int(chunks.size());
    return chunks[size_t(((index - back) % n + n) % n)];
}

TextBuffer::TextBuffer(QObject *parent)
    : QObject(parent)
    , encoder_(QStringLiteral("UTF-8"))
    , decoder_(encoder_)
    , ansi_time_(QStringLiteral("1;43"))
    , ansi_rx_(QStringLiteral("0"))
    , ansi_tx_(QStringLiteral("0"))
    , ansi_err_(QStringLiteral("0"))
{
    text_.chunks.resize(size_t(list_size_));
    hex_.chunks.resize(size_t(list_size_));
    rebuild_colours();
}

void TextBuffer::rebuild_colours()
{
    stamp_head_ = kReset + QLatin1Char('\n') + colour_of(ansi_time_) + QLatin1Char('[');
    const QString *kinds[KindCount] = {&ansi_rx_, &ansi_tx_, &ansi_err_};
    for (int k = 0; k < KindCount; ++k) {
        colour_[k] = colour_of(*kinds[k]);
        stamp_tail_[k] = QLatin1Char(']') + kReset + QLatin1Char(' ') + colour_[k];
    }
    restore_ = kReset + colour_[Rx];
}

void TextBuffer::advance(Ring &ring)
{
    if (ring.chunks[size_t(ring.index)].size() > max_size_) {
        ring.index = (ring.index + 1) % list_size_;
        ring.chunks[size_t(ring.index)].clear();
    }
}

void TextBuffer::advance_both()
{
    advance(text_);
    advance(hex_);
}

void TextBuffer::set_tap(Tap tap)
{
    std::lock_guard<std::mutex> locker(lock_);
    tap_ = std::move(tap);
}

void TextBuffer::put(Ring &ring, const QString &s)
{
    if (tap_)
        tap_(&ring == &hex_, s);
    if (s.size() <= max_size_) {
        ring.chunks[size_t(ring.index)].append(s);
        return;
    }
    // A block longer than a chunk is spread over several, so that no chunk
    // (and no document load) grows much beyond max_size.
    const QChar *p = s.constData();
    int pos = 0;
    for (;;) {
        int take = qMin(s.size() - pos, max_size_);
        if (pos + take < s.size() && p[pos + take - 1].isHighSurrogate())
            ++take;
        ring.chunks[size_t(ring.index)].append(p + pos, take);
        pos += take;
        if (pos >= s.size())
            break;
        advance(ring);
    }
}

void TextBuffer::write_header(QString &out, Kind kind, int msecs_of_day)
{
    if (msecs_of_day != stamp_msecs_) {
        stamp_msecs_ = msecs_of_day;
        const int ms = msecs_of_day % 1000;
        const int s = msecs_of_day / 1000 % 60;
        const int m = msecs_of_day / 60000 % 60;
        const int h = msecs_of_day / 3600000 % 24;
        const char t[12] = {char('0' + h / 10), char('0' + h % 10), ':',
                            char('0' + m / 10), char('0' + m % 10), ':',
                            char('0' + s / 10), char('0' + s % 10), '.',
                            char('0' + ms / 100), char('0' + ms / 10 % 10), char('0' + ms % 10)};
        stamp_time_ = QString::fromLatin1(t, 12);
    }
    out.append(stamp_head_);
    out.append(stamp_time_);
    out.append(stamp_tail_[kind]);
}

int TextBuffer::complete_pending(const char *data, int length)
{
    QByteArray probe = pending_;
    pending_.clear();
    updated_ = true;
    int used = 0;
    bool only_partial = false;
    while (used < 4 && used < length) {
        probe.append(data[used++]);
        int held = 0;
        bool invalid = false;
        const QString t = decoder_.decode(probe.constData(), probe.size(), &held, &invalid);
        if (held == 0 && !invalid) {
            put(text_, t);
            return used;
        }
        only_partial = !invalid;
    }
    // The block ended before the character did: wait for the next one.
    if (used < 4 && only_partial && probe.size() < kMaxPending) {
        pending_ = probe;
        return used;
    }
    QString fallback = QStringLiteral("[?:");
    append_hex(fallback, probe.constData(), probe.size() - used, false);
    fallback.append(QLatin1Char(']'));
    put(text_, fallback);
    return 0;
}

void TextBuffer::append_received(const char *data, int length, const QDateTime &time, bool as_text)
{
    if (!data || length <= 0 || !if_show_echo())
        return;
    const bool stamped = if_show_time();
    const int msecs = stamped ? time.time().msecsSinceStartOfDay() : 0;
    std::lock_guard<std::mutex> locker(lock_);
    int consumed = 0;
    if (!pending_.isEmpty())
        consumed = complete_pending(data, length);
    advance_both();

    QString header;
    if (stamped)
        write_header(header, Rx, msecs);
    QString out;
    if (consumed < length) {
        updated_ = true;
        int held = 0;
        const QString t = decoder_.decode(data + consumed, length - consumed, &held);
        pending_ = QByteArray(data + length - held, held);
        out = header;
        append_lines(out, t, header, false);
        put(text_, out);
        if (as_text)
            put(hex_, out);
    }
    if (!as_text) {
        updated_ = true;
        out = header;
        append_hex(out, data, length, true);
        out.append(QLatin1Char(' '));
        put(hex_, out);
    }
}

void TextBuffer::append_sent(const QByteArray &data, bool as_text)
{
    if (!if_show_tx())
        return;
    const bool stamped = if_show_time();
    const int msecs = stamped ? QTime::currentTime().msecsSinceStartOfDay() : 0;
    std::lock_guard<std::mutex> locker(lock_);
    advance_both();
    // Status lines are UTF-8 whatever the link's encoding.
    const QString t = as_text ? QString::fromUtf8(data) : decoder_.decode_all(data.constData(), data.size());
    QString lead;
    if (stamped)
        write_header(lead, Tx, msecs);
    else
        lead = colour_[Tx] + QLatin1Char('\r');
    const QString &stamp = stamped ? lead : QString();

    QString out = lead;
    if (as_text) {
        append_lines(out, t, stamp, true);
    } else {
        append_hex(out, data.constData(), data.size(), true);
        out.append(QLatin1Char(' '));
    }
    out.append(restore_);
    put(hex_, out);

    out = lead;
    append_lines(out, t, stamp, false);
    out.append(restore_);
    put(text_, out);
    updated_ = true;
}

void TextBuffer::AppendErrorText(QByteArray text)
{
    const bool stamped = if_show_time();
    const int msecs = stamped ? QTime::currentTime().msecsSinceStartOfDay() : 0;
    const QString t = QString::fromUtf8(text);
    std::lock_guard<std::mutex> locker(lock_);
    advance_both();
    QString out;
    if (stamped)
        write_header(out, Err, msecs);
    else
        out = colour_[Err] + QLatin1Char('\r');
    const QString stamp = stamped ? out : QString();
    append_lines(out, t, stamp, false);
    out.append(restore_);
    put(text_, out);
    put(hex_, out);
    updated_ = true;
}

void TextBuffer::clear()
{
    std::lock_guard<std::mutex> locker(lock_);
    updated_ = true;
    for (Ring *ring : {&text_, &hex_}) {
        for (QString &chunk : ring->chunks)
            chunk.clear();
        ring->index = 0;
    }
}

bool TextBuffer::checkEncoder(QString encoder)
{
    return CharDecoder::exists(encoder);
}

bool TextBuffer::updated()
{
    std::lock_guard<std::mutex> locker(lock_);
    return updated_;
}

void TextBuffer::set_if_show_hex(bool v)
{
    if_show_hex_.store(v, std::memory_order_relaxed);
    emit if_show_hex_changed();
}

QString TextBuffer::encoder()
{
    std::lock_guard<std::mutex> locker(lock_);
    return encoder_;
}

void TextBuffer::set_encoder(const QString &name)
{
    {
        std::lock_guard<std::mutex> locker(lock_);
        encoder_ = name;
        decoder_ = CharDecoder(name);
    }
    emit encoder_changed();
}

int TextBuffer::list_size()
{
    std::lock_guard<std::mutex> locker(lock_);
    return list_size_;
}

void TextBuffer::set_list_size(int n)
{
    {
        std::lock_guard<std::mutex> locker(lock_);
        const int size = qMax(n, 2);
        for (Ring *ring : {&text_, &hex_}) {
            // Oldest first, then keep the newest that fit.
            std::vector<QString> chunks;
            chunks.reserve(size_t(list_size_));
            for (int back = list_size_ - 1; back >= 0; --back)
                chunks.push_back(ring->at(back));
            const int keep = qMin(size, list_size_);
            std::vector<QString> rebuilt(static_cast<size_t>(size));
            for (int i = 0; i < keep; ++i)
                rebuilt[size_t(i)] = std::move(chunks[size_t(list_size_ - keep + i)]);
            ring->chunks = std::move(rebuilt);
            ring->index = keep - 1;
        }
        list_size_ = size;
    }
    emit list_size_changed();
}

int TextBuffer::max_size()
{
    std::lock_guard<std::mutex> locker(lock_);
    return max_size_;
}

void TextBuffer::set_max_size(int n)
{
    {
        std::lock_guard<std::mutex> locker(lock_);
        max_size_ = (qBound(0, n, 200000000) / 512 + 1) * 512;
    }
    emit max_size_changed();
}

QString TextBuffer::ansi_time()
{
    std::lock_guard<std::mutex> locker(lock_);
    return ansi_time_;
}

QString TextBuffer::ansi_tx()
{
    std::lock_guard<std::mutex> locker(lock_);
    return ansi_tx_;
}

QString TextBuffer::ansi_rx()
{
    std::lock_guard<std::mutex> locker(lock_);
    return ansi_rx_;
}

QString TextBuffer::ansi_err()
{
    std::lock_guard<std::mutex> locker(lock_);
    return ansi_err_;
}

void TextBuffer::set_colour(QString &field, const QString &v)
{
    std::lock_guard<std::mutex> locker(lock_);
    field = v;
    rebuild_colours();
}

void TextBuffer::set_ansi_time(const QString &v)
{
    set_colour(ansi_time_, v);
    emit ansi_time_changed();
}

void TextBuffer::set_ansi_tx(const QString &v)
{
    set_colour(ansi_tx_, v);
    emit ansi_tx_changed();
}

void TextBuffer::set_ansi_rx(const QString &v)
{
    set_colour(ansi_rx_, v);
    emit ansi_rx_changed();
}

void TextBuffer::set_ansi_err(const QString &v)
{
    set_colour(ansi_err_, v);
    emit ansi_err_changed();
}
