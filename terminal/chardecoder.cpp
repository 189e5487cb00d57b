#include "chardecoder.h"

#include <QTextCodec>

namespace {

// Qt's own Unicode and Latin-1 codecs report partial and invalid input in
// their converter state; no probing needed for them.
bool reporting_codec(const QTextCodec *codec)
{
    switch (codec->mibEnum()) {
    case 4:    // ISO-8859-1
    case 106:  // UTF-8
    case 1013: // UTF-16BE
    case 1014: // UTF-16LE
    case 1015: // UTF-16
    case 1017: // UTF-32
    case 1018: // UTF-32BE
    case 1019: // UTF-32LE
        return true;
    default:
        return false;
    }
}

} // namespace

CharDecoder::CharDecoder(const QString &name)
{
    codec_ = QTextCodec::codecForName(name.toLocal8Bit());
    if (!codec_)
        codec_ = QTextCodec::codecForName("UTF-8");
    reports_ = reporting_codec(codec_);
}

bool CharDecoder::exists(const QString &name)
{
    return QTextCodec::codecForName(name.toLocal8Bit()) != nullptr;
}

QString CharDecoder::decode(const char *data, int length, int *incomplete, bool *invalid) const
{
    QTextCodec::ConverterState state;
    QString text = codec_->toUnicode(data, length, &state);
    int held = state.remainingChars;
    bool bad = state.invalidChars > 0;

    if (!reports_ && held == 0 && length > 0) {
        // Only a tail with a byte outside ASCII can be the start of a
        // character (the longest multi-byte start is 3 bytes).
        bool plain_tail = true;
        for (int i = qMax(0, length - 3); i < length; ++i)
            plain_tail = plain_tail && uchar(data[i]) < 0x80;
        if (!plain_tail) {
            // Trailing bytes that change nothing when left out are held
            // back by the converter as an unfinished character.
            for (int k = 1; k <= qMin(4, length); ++k) {
                QTextCodec::ConverterState probe;
                if (codec_->toUnicode(data, length - k, &probe) != text)
                    break;
                held = k;
            }
        }
        if (invalid && !bad)
            bad = text.contains(QChar::ReplacementCharacter);
    }
    *incomplete = held;
    if (invalid)
        *invalid = bad;
    return text;
}

QString CharDecoder::decode_all(const char *data, int length) const
{
    return codec_->toUnicode(data, length);
}
