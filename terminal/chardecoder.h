#ifndef CHARDECODER_H
#define CHARDECODER_H

#include <QString>

class QTextCodec;

// Decodes byte blocks with a text codec of the platform registry, telling
// how many trailing bytes only begin a character and whether invalid bytes
// were met. Codecs whose converter state reports neither (those backed by
// the system's conversion library) are probed instead.
class CharDecoder
{
public:
    // A name that names no codec falls back to UTF-8.
    explicit CharDecoder(const QString &name = QStringLiteral("UTF-8"));

    static bool exists(const QString &name);

    QTextCodec *codec() const { return codec_; }

    // Decodes with a fresh state. The text leaves out the trailing bytes of
    // an incomplete character; their count goes to *incomplete.
    QString decode(const char *data, int length, int *incomplete, bool *invalid = nullptr) const;

    // Decodes a whole block; an incomplete tail is dropped.
    QString decode_all(const char *data, int length) const;

private:
    QTextCodec *codec_;
    bool reports_;
};

#endif
