#ifndef ANSIFORMATTER_H
#define ANSIFORMATTER_H

#include <QString>
#include <QTextCharFormat>
#include <QVector>

class QTextDocument;

// Turns text with ANSI select-graphic-rendition sequences (ESC [ digits and
// semicolons m) into formatted runs of a text document. Any other escape
// sequence stays in the text as it is.
class AnsiFormatter
{
public:
    using Params = QVector<int>;
    using ParamIter = Params::const_iterator;

    // Inserts the whole text as one edit block, at the start of the
    // document or at a fresh cursor's position (0 as well).
    static void insert_ansi_text(QTextDocument *document, const QString &text,
                                 const QTextCharFormat &default_format, bool at_start);

    // Applies one code to the format; 38 and 48 read their colour
    // parameters from the iterator and advance it past them.
    static void apply_sgr_code(int code, ParamIter &it, ParamIter end, QTextCharFormat &format,
                               const QTextCharFormat &default_format);

    // The first recognised sequence at or after from: its start, the range
    // of its parameter text, and the position after its final 'm'.
    struct Sequence {
        int start = -1;
        int params_begin = 0;
        int params_end = 0;
        int end = 0;
        bool found() const { return start >= 0; }
    };
    static Sequence find_sequence(const QString &text, int from);

    // Position just after the recognised sequence that starts at pos, or -1.
    static int sequence_end(const QString &text, int pos);

    // Parameter text split on ';' (empty parts kept); a part that is empty
    // or does not fit an int gives 0.
    static void parse_params(const QChar *begin, const QChar *end, Params &out);
};

#endif
