#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

// The raw input as the page text a reader is handed (invalid UTF-8 becomes U+FFFD).
inline QString PageText(const std::uint8_t *data, std::size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// A text of up to maxLength characters: ASCII as it comes, every other byte one of the characters
// that trip case folding and code page handling (Kelvin sign, long s, dotted I, lone surrogates...).
inline QString TrickyText(FuzzedDataProvider &input, std::size_t maxLength) {
    static constexpr std::array<char16_t, 16> tricky{
        u'\u00E9', u'\u00C9', u'\u00DF', u'\u017F', u'\u212A', u'\u0130', u'\u0131', u'\u00FF',
        u'\u0178', u'\uFFFD', u'\u00A0', u'\u2028', u'\uFEFF', 0xD800,    0xDC00,    u'\u00BB',
    };
    const std::string bytes = input.ConsumeRandomLengthString(maxLength);
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        text += code < 0x80 ? QChar(char16_t(code)) : QChar(tricky[code & 0x0F]);
    }
    return text;
}

// Reference folding, written apart from the program's own: "a" to "z" become upper case.
inline QString FoldAsciiReference(QStringView text) {
    QString folded = text.toString();
    for (QChar &c : folded) {
        if (c >= u'a' && c <= u'z') {
            c = QChar(c.unicode() - 32);
        }
    }
    return folded;
}

// A plain search ignoring the case of ASCII letters; -1 for an empty marker.
inline qsizetype IndexOfFoldedReference(QStringView text, QStringView marker, qsizetype from = 0) {
    if (marker.isEmpty()) {
        return -1;
    }
    return FoldAsciiReference(text).indexOf(FoldAsciiReference(marker), from);
}

inline QChar FlipAsciiCase(QChar c) {
    if (c >= u'a' && c <= u'z') {
        return QChar(c.unicode() - 32);
    }
    if (c >= u'A' && c <= u'Z') {
        return QChar(c.unicode() + 32);
    }
    return c;
}
