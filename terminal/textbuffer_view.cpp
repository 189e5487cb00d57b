#include "textbuffer.h"

#include <mutex>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>

#include "ansiformatter.h"

namespace {

const QString kReset = QStringLiteral("\x1B[0m");

// Start of the kept tail of s when only its last keep characters are shown.
// A cut inside a colour sequence or a surrogate pair moves past it, so that
// no half of either is shown as text.
int tail_start(const QString &s, int keep)
{
    int start = s.size() - keep;
    if (start <= 0)
        return 0;
    if (s.at(start).isLowSurrogate())
        ++start;
    const int window = qMax(0, start - 256);
    for (int p = start - 1; p >= window; --p) {
        if (s.at(p).unicode() != 0x1B)
            continue;
        const int end = AnsiFormatter::sequence_end(s, p);
        if (end > start)
            start = end;
        break;
    }
    return start;
}

} // namespace

QTextDocument *TextBuffer::document() const
{
    return doc_ ? doc_->textDocument() : nullptr;
}

void TextBuffer::set_doc(QQuickTextDocument *doc)
{
    doc_ = doc;
    if (QTextDocument *d = document())
        default_format_ = QTextCursor(d).charFormat();
}

QString TextBuffer::text()
{
    QString s;
    {
        std::lock_guard<std::mutex> locker(lock_);
        loaded_ = 1;
        updated_ = false;
        const Ring &ring = shown_ring();
        s = ring.at(1) + ring.at(0);
        if (s.size() > max_size_)
            s = s.mid(tail_start(s, max_size_));
        s.prepend(colour_[Rx]);
    }
    if (QTextDocument *d = document()) {
        d->clear();
        AnsiFormatter::insert_ansi_text(d, s, default_format_, true);
    }
    return QString();
}

bool TextBuffer::all_text()
{
    QTextDocument *d = document();
    if (!d)
        return false;
    QString s;
    bool rebuild = false;
    {
        std::lock_guard<std::mutex> locker(lock_);
        if (loaded_ >= list_size_ - 1)
            return false;
        updated_ = false;
        ++loaded_;
        const Ring &ring = shown_ring();
        s = colour_[Rx] + ring.at(loaded_);
        rebuild = loaded_ == 2;
        if (rebuild)
            s += ring.at(1) + ring.at(0);
    }
    if (rebuild)
        d->clear();
    AnsiFormatter::insert_ansi_text(d, s, default_format_, true);
    return true;
}

void TextBuffer::aysnc_scrollbar_size(float value)
{
    int n = max_size();
    if (value < 1) {
        QTextDocument *d = document();
        if (!d)
            return;
        n = d->characterCount();
    }
    const float visible = float(n) * value;
    if (!(visible >= 0.0f))
        return;
    int size;
    if (visible >= 100000000.0f) {
        size = 200000512;
    } else {
        const int a = 2 * int(visible);
        if (!(n > 1.2 * a || n < 0.8 * a))
            return;
        size = (a / 512 + 1) * 512;
    }
    {
        std::lock_guard<std::mutex> locker(lock_);
        max_size_ = size;
    }
    emit max_size_changed();
}

void TextBuffer::setTextTermFormatting(QQuickTextDocument *doc, QString text)
{
    QTextDocument *d = doc ? doc->textDocument() : nullptr;
    if (!d)
        return;
    const QString preview = tr("Ansi转义码: ") + QStringLiteral("\n\n\\x1B[") + text
        + QStringLiteral("|-CONTENT-|\n--------------\n\x1B[") + text + QStringLiteral("m|-CONTENT-|")
        + kReset + QLatin1Char(' ');
    d->clear();
    AnsiFormatter::insert_ansi_text(d, preview, default_format_, false);
}
