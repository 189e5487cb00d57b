#ifndef TEXTBUFFER_H
#define TEXTBUFFER_H

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QQuickTextDocument>
#include <QString>
#include <QTextCharFormat>
#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

#include "chardecoder.h"

class QTextDocument;

// Everything the terminal view shows: received, sent and error text, kept
// twice (decoded and as a hex dump) in two rings of bounded text chunks
// with ANSI colours and time stamps, and fed into the view's document.
//
// Appends come from I/O threads; the rings are guarded by the buffer's own
// mutex, which is never held while the document is touched or a signal is
// emitted. The document is only touched on the UI thread.
class TextBuffer : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool updated READ updated)
    Q_PROPERTY(QString text READ text)
    Q_PROPERTY(bool if_show_hex READ if_show_hex WRITE set_if_show_hex NOTIFY if_show_hex_changed)
    Q_PROPERTY(bool if_show_echo READ if_show_echo WRITE set_if_show_echo)
    Q_PROPERTY(bool if_show_tx READ if_show_tx WRITE set_if_show_tx)
    Q_PROPERTY(bool if_show_time READ if_show_time WRITE set_if_show_time)
    Q_PROPERTY(QString encoder READ encoder WRITE set_encoder NOTIFY encoder_changed)
    Q_PROPERTY(int list_size READ list_size WRITE set_list_size NOTIFY list_size_changed)
    Q_PROPERTY(QQuickTextDocument *doc READ doc WRITE set_doc)
    Q_PROPERTY(QString ansi_time READ ansi_time WRITE set_ansi_time NOTIFY ansi_time_changed)
    Q_PROPERTY(QString ansi_tx READ ansi_tx WRITE set_ansi_tx NOTIFY ansi_tx_changed)
    Q_PROPERTY(QString ansi_rx READ ansi_rx WRITE set_ansi_rx NOTIFY ansi_rx_changed)
    Q_PROPERTY(QString ansi_err READ ansi_err WRITE set_ansi_err NOTIFY ansi_err_changed)
    Q_PROPERTY(int max_size READ max_size WRITE set_max_size NOTIFY max_size_changed)

public:
    explicit TextBuffer(QObject *parent = nullptr);

    // Writers (I/O threads). data is a view into the caller's buffer.
    void append_received(const char *data, int length, const QDateTime &time, bool as_text);
    void append_sent(const QByteArray &data, bool as_text);
    Q_INVOKABLE void AppendErrorText(QByteArray text);

    Q_INVOKABLE void clear();
    Q_INVOKABLE bool all_text();
    Q_INVOKABLE void aysnc_scrollbar_size(float value);
    Q_INVOKABLE void setTextTermFormatting(QQuickTextDocument *doc, QString text);
    Q_INVOKABLE bool checkEncoder(QString encoder);

    bool updated();
    // Refreshes the document with the newest text; the value is always empty.
    QString text();

    bool if_show_hex() const { return if_show_hex_.load(std::memory_order_relaxed); }
    void set_if_show_hex(bool v);
    bool if_show_echo() const { return if_show_echo_.load(std::memory_order_relaxed); }
    void set_if_show_echo(bool v) { if_show_echo_.store(v, std::memory_order_relaxed); }
    bool if_show_tx() const { return if_show_tx_.load(std::memory_order_relaxed); }
    void set_if_show_tx(bool v) { if_show_tx_.store(v, std::memory_order_relaxed); }
    bool if_show_time() const { return if_show_time_.load(std::memory_order_relaxed); }
    void set_if_show_time(bool v) { if_show_time_.store(v, std::memory_order_relaxed); }

    QString encoder();
    void set_encoder(const QString &name);
    int list_size();
    void set_list_size(int n);
    int max_size();
    void set_max_size(int n);

    QQuickTextDocument *doc() const { return doc_; }
    void set_doc(QQuickTextDocument *doc);

    QString ansi_time();
    void set_ansi_time(const QString &v);
    QString ansi_tx();
    void set_ansi_tx(const QString &v);
    QString ansi_rx();
    void set_ansi_rx(const QString &v);
    QString ansi_err();
    void set_ansi_err(const QString &v);

signals:
    void if_show_hex_changed();
    void encoder_changed();
    void list_size_changed();
    void ansi_time_changed();
    void ansi_tx_changed();
    void ansi_rx_changed();
    void ansi_err_changed();
    void max_size_changed();

public:
    // Sees every piece of text as it is recorded, with its ANSI colours:
    // hex false for the text view, true for the hex view. Called with the
    // buffer's lock held, on the appending thread; it must not call back.
    using Tap = std::function<void(bool hex, const QString &piece)>;
    void set_tap(Tap tap);

private:
    enum Kind { Rx, Tx, Err, KindCount };

    struct Ring {
        std::vector<QString> chunks;
        int index = 0;
        // The chunk back steps before the newest.
        const QString &at(int back) const;
    };

    // Callers hold lock_.
    void advance(Ring &ring);
    void advance_both();
    void put(Ring &ring, const QString &s);
    void write_header(QString &out, Kind kind, int msecs_of_day);
    int complete_pending(const char *data, int length);
    void rebuild_colours();
    const Ring &shown_ring() const { return if_show_hex() ? hex_ : text_; }

    QTextDocument *document() const;
    void set_colour(QString &field, const QString &v);

    std::mutex lock_;
    Ring text_;
    Ring hex_;
    Tap tap_;
    int list_size_ = 20;
    int loaded_ = 1;
    int max_size_ = 5120;
    bool updated_ = false;
    QString encoder_;
    CharDecoder decoder_;
    QByteArray pending_;

    QString ansi_time_;
    QString ansi_rx_;
    QString ansi_tx_;
    QString ansi_err_;
    // Pieces built from the colours: the start of a time header up to "[",
    // its end per kind, the colour per kind, and the return to the rx colour.
    QString stamp_head_;
    QString stamp_tail_[KindCount];
    QString colour_[KindCount];
    QString restore_;
    int stamp_msecs_ = -1;
    QString stamp_time_;

    std::atomic<bool> if_show_hex_{false};
    std::atomic<bool> if_show_echo_{true};
    std::atomic<bool> if_show_tx_{true};
    std::atomic<bool> if_show_time_{true};

    QPointer<QQuickTextDocument> doc_;
    QTextCharFormat default_format_;
};

#endif
