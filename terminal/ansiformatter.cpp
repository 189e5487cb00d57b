#include "ansiformatter.h"

#include <QBrush>
#include <QColor>
#include <QFontDatabase>
#include <QTextCursor>
#include <QTextDocument>
#include <climits>

namespace {

const ushort kEsc = 0x1B;

const Qt::GlobalColor kNormal[8] = {Qt::black,    Qt::darkRed,     Qt::darkGreen, Qt::darkYellow,
                                    Qt::darkBlue, Qt::darkMagenta, Qt::darkCyan,  Qt::lightGray};
const Qt::GlobalColor kBright[8] = {Qt::darkGray, Qt::red,     Qt::green, Qt::yellow,
                                    Qt::blue,     Qt::magenta, Qt::cyan,  Qt::white};

// Channel levels of the 6x6x6 cube as terminals draw it.
const int kCubeLevel[6] = {0, 95, 135, 175, 215, 255};

bool is_param_char(ushort c)
{
    return (c >= '0' && c <= '9') || c == ';';
}

void set_brush_like(QTextCharFormat &format, int property, const QTextCharFormat &from)
{
    if (from.hasProperty(property))
        format.setProperty(property, from.property(property));
    else
        format.clearProperty(property);
}

QColor extended_colour(int code, AnsiFormatter::ParamIter &it, AnsiFormatter::ParamIter end,
                       QTextCharFormat &format, const QTextCharFormat &default_format, bool *done)
{
    *done = false;
    const int selector = *it++;
    if (selector == 2) {
        int rgb[3];
        int got = 0;
        while (got < 3 && it != end)
            rgb[got++] = qBound(0, *it++, 255);
        return got == 3 ? QColor(rgb[0], rgb[1], rgb[2], 255) : QColor();
    }
    if (selector != 5 || it == end)
        return QColor();
    const int n = *it++;
    const bool fg = code == 38;
    if (n >= 0 && n <= 7) {
        AnsiFormatter::apply_sgr_code((fg ? 30 : 40) + n, it, end, format, default_format);
        *done = true;
        return QColor();
    }
    if (n >= 8 && n <= 15) {
        AnsiFormatter::apply_sgr_code((fg ? 90 : 100) + (n - 8), it, end, format, default_format);
        *done = true;
        return QColor();
    }
    if (n >= 232 && n <= 255) {
        const qreal f = (n - 232) / 23.0;
        return QColor::fromRgbF(f, f, f);
    }
    const int m = n - 16;
    return QColor(kCubeLevel[(m / 36) % 6], kCubeLevel[(m / 6) % 6], kCubeLevel[m % 6]);
}

} // namespace

AnsiFormatter::Sequence AnsiFormatter::find_sequence(const QString &text, int from)
{
    Sequence seq;
    const QChar *data = text.constData();
    const int n = text.size();
    for (int p = from; p < n; ++p) {
        if (data[p].unicode() != kEsc)
            continue;
        const int e = sequence_end(text, p);
        if (e < 0)
            continue;
        seq.start = p;
        seq.params_begin = p + 2;
        seq.params_end = e - 1;
        seq.end = e;
        return seq;
    }
    return seq;
}

int AnsiFormatter::sequence_end(const QString &text, int pos)
{
    const QChar *data = text.constData();
    const int n = text.size();
    if (pos < 0 || pos + 1 >= n || data[pos].unicode() != kEsc || data[pos + 1].unicode() != '[')
        return -1;
    int q = pos + 2;
    while (q < n && is_param_char(data[q].unicode()))
        ++q;
    if (q == pos + 2 || q >= n || data[q].unicode() != 'm')
        return -1;
    return q + 1;
}

void AnsiFormatter::parse_params(const QChar *begin, const QChar *end, Params &out)
{
    out.clear();
    long long value = 0;
    bool overflow = false;
    for (const QChar *p = begin;; ++p) {
        if (p == end || p->unicode() == ';') {
            out.append(overflow ? 0 : int(value));
            if (p == end)
                break;
            value = 0;
            overflow = false;
            continue;
        }
        value = value * 10 + (p->unicode() - '0');
        if (value > INT_MAX) {
            overflow = true;
            value = 0;
        }
    }
}

void AnsiFormatter::apply_sgr_code(int code, ParamIter &it, ParamIter end, QTextCharFormat &format,
                                   const QTextCharFormat &default_format)
{
    switch (code) {
    case 0:
        format = default_format;
        return;
    case 1:
    case 5:
        format.setFontWeight(75);
        return;
    case 2:
        format.setFontWeight(25);
        return;
    case 3:
        format.setFontItalic(true);
        return;
    case 4:
        format.setFontUnderline(true);
        return;
    case 6:
        format.setFontWeight(87);
        return;
    case 7:
    case 27: {
        const QBrush fg = format.foreground();
        format.setForeground(format.background());
        format.setBackground(fg);
        return;
    }
    case 8:
        format.setForeground(format.background());
        return;
    case 9:
        format.setFontStrikeOut(true);
        return;
    case 10:
        format.setFont(default_format.font());
        return;
    case 21:
    case 22:
    case 25:
        format.setFontWeight(50);
        return;
    case 23:
        format.setFontItalic(false);
        return;
    case 24:
        format.setFontUnderline(false);
        return;
    case 29:
        // Ends crossed-out text as well; otherwise only a full reset could.
        format.setFontUnderline(false);
        format.setFontStrikeOut(false);
        return;
    case 28:
        set_brush_like(format, QTextFormat::ForegroundBrush, default_format);
        set_brush_like(format, QTextFormat::BackgroundBrush, default_format);
        return;
    case 39:
        set_brush_like(format, QTextFormat::ForegroundBrush, default_format);
        return;
    case 49:
        set_brush_like(format, QTextFormat::BackgroundBrush, default_format);
        return;
    case 38:
    case 48: {
        if (it == end)
            return;
        bool done = false;
        const QColor c = extended_colour(code, it, end, format, default_format, &done);
        if (done)
            return;
        if (code == 38)
            format.setForeground(QBrush(c, Qt::SolidPattern));
        else
            format.setBackground(QBrush(c, Qt::SolidPattern));
        return;
    }
    default:
        break;
    }
    if (code >= 11 && code <= 19) {
        const QFont font = format.font();
        const QString family = font.family();
        QFontDatabase db;
        const QStringList styles = db.styles(family);
        if (code - 11 < styles.size())
            format.setFont(db.font(family, styles.at(code - 11), font.pointSize()));
    } else if (code >= 30 && code <= 37) {
        const Qt::GlobalColor *table = format.fontWeight() > 50 ? kBright : kNormal;
        format.setForeground(QBrush(QColor(table[code - 30])));
    } else if (code >= 40 && code <= 47) {
        format.setBackground(QBrush(QColor(kBright[code - 40])));
    } else if (code >= 90 && code <= 97) {
        format.setForeground(QBrush(QColor(kBright[code - 90])));
    } else if (code >= 100 && code <= 107) {
        format.setBackground(QBrush(QColor(kBright[code - 100])));
    }
}

void AnsiFormatter::insert_ansi_text(QTextDocument *document, const QString &text,
                                     const QTextCharFormat &default_format, bool at_start)
{
    if (!document)
        return;
    QTextCursor cursor(document);
    if (at_start)
        cursor.movePosition(QTextCursor::Start);
    cursor.beginEditBlock();

    Sequence seq = find_sequence(text, 0);
    cursor.insertText(text.left(seq.found() ? seq.start : text.size()));

    QTextCharFormat format = default_format;
    Params params;
    while (seq.found()) {
        parse_params(text.constData() + seq.params_begin, text.constData() + seq.params_end, params);
        for (ParamIter it = params.cbegin(), end = params.cend(); it != end;) {
            const int code = *it++;
            apply_sgr_code(code, it, end, format, default_format);
        }
        const Sequence next = find_sequence(text, seq.end);
        const int stop = next.found() ? next.start : text.size();
        if (stop > seq.end)
            cursor.insertText(text.mid(seq.end, stop - seq.end), format);
        seq = next;
    }

    cursor.setCharFormat(default_format);
    cursor.endEditBlock();
}
