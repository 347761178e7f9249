#include "core/enrichment/markuptext.h"

#include <array>

namespace {

struct NamedReference {
    QStringView name;
    char16_t character;
};

constexpr std::array<NamedReference, 18> namedReferences{{
    {u"amp", u'&'},
    {u"lt", u'<'},
    {u"gt", u'>'},
    {u"quot", u'"'},
    {u"apos", u'\''},
    {u"nbsp", u'\u00A0'},
    {u"ndash", u'\u2013'},
    {u"mdash", u'\u2014'},
    {u"lsquo", u'\u2018'},
    {u"rsquo", u'\u2019'},
    {u"ldquo", u'\u201C'},
    {u"rdquo", u'\u201D'},
    {u"hellip", u'\u2026'},
    {u"middot", u'\u00B7'},
    {u"bull", u'\u2022'},
    {u"copy", u'\u00A9'},
    {u"reg", u'\u00AE'},
    {u"trade", u'\u2122'},
}};

// Longer references are not looked for, so a stray "&" costs a bounded look-ahead.
constexpr qsizetype longestReference = 10;

bool IsAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Appends the character of the reference at text[at] == '&' and gives its length, or 0 when none.
qsizetype AppendReference(QStringView text, qsizetype at, QString &out) {
    const qsizetype limit = std::min(text.size(), at + longestReference + 2);
    qsizetype semicolon = -1;
    for (qsizetype i = at + 1; i < limit; ++i) {
        if (text.at(i) == u';') {
            semicolon = i;
            break;
        }
    }
    if (semicolon < at + 2) {
        return 0;
    }
    const QStringView body = text.sliced(at + 1, semicolon - at - 1);
    if (body.at(0) == u'#') {
        const bool hex = body.size() > 1 && (body.at(1) == u'x' || body.at(1) == u'X');
        bool ok = false;
        const uint code = body.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (!ok) {
            return 0;
        }
        const bool valid = code != 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        const char32_t character = valid ? char32_t(code) : char32_t(0xFFFD);
        out.append(QStringView(QChar::fromUcs4(character)));
        return semicolon - at + 1;
    }
    for (const NamedReference &reference : namedReferences) {
        if (body == reference.name) {
            out.append(QChar(reference.character));
            return semicolon - at + 1;
        }
    }
    return 0;
}

// A "<" opens a tag or comment only before a letter, "/", "!" or "?".
bool OpensTag(QStringView markup, qsizetype at) {
    if (at + 1 >= markup.size()) {
        return false;
    }
    const QChar next = markup.at(at + 1);
    return IsAsciiLetter(next) || next == u'/' || next == u'!' || next == u'?';
}

} // namespace

qsizetype StartTagEnd(QStringView markup, qsizetype from) {
    QChar quote;
    for (qsizetype i = from; i < markup.size(); ++i) {
        const QChar c = markup.at(i);
        if (!quote.isNull()) {
            if (c == quote) {
                quote = QChar();
            }
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            return i + 1;
        }
    }
    return markup.size();
}

QString DecodeCharacterReferences(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&') {
            const qsizetype length = AppendReference(text, i, out);
            if (length > 0) {
                i += length - 1;
                continue;
            }
        }
        out.append(text.at(i));
    }
    return out;
}

QString MarkupToPlainText(QStringView markup) {
    QString text;
    text.reserve(markup.size());
    for (qsizetype i = 0; i < markup.size();) {
        if (markup.at(i) == u'<' && OpensTag(markup, i)) {
            if (markup.sliced(i).startsWith(u"<!--")) {
                const qsizetype end = markup.indexOf(u"-->", i + 4);
                i = end < 0 ? markup.size() : end + 3;
            } else {
                // A line break separates words; other tags join the text around them as it stands.
                if (markup.sliced(i + 1).startsWith(u"br", Qt::CaseInsensitive)) {
                    text.append(u' ');
                }
                i = StartTagEnd(markup, i + 1);
            }
            continue;
        }
        text.append(markup.at(i));
        ++i;
    }
    const QString decoded = DecodeCharacterReferences(text);
    return decoded.simplified();
}

QString AttributeValue(QStringView startTag, QStringView name) {
    // Skips the element name, then walks name[=value] pairs.
    qsizetype i = 1;
    while (i < startTag.size() && !startTag.at(i).isSpace() && startTag.at(i) != u'>' && startTag.at(i) != u'/') {
        ++i;
    }
    while (i < startTag.size()) {
        const QChar c = startTag.at(i);
        if (c.isSpace() || c == u'/') {
            ++i;
            continue;
        }
        if (c == u'>') {
            break;
        }
        const qsizetype nameStart = i;
        while (i < startTag.size() && !startTag.at(i).isSpace() && startTag.at(i) != u'=' && startTag.at(i) != u'>') {
            ++i;
        }
        const QStringView attribute = startTag.sliced(nameStart, i - nameStart);
        while (i < startTag.size() && startTag.at(i).isSpace()) {
            ++i;
        }
        QStringView value;
        if (i < startTag.size() && startTag.at(i) == u'=') {
            ++i;
            while (i < startTag.size() && startTag.at(i).isSpace()) {
                ++i;
            }
            qsizetype valueStart = i;
            if (i < startTag.size() && (startTag.at(i) == u'"' || startTag.at(i) == u'\'')) {
                const QChar quote = startTag.at(i);
                valueStart = ++i;
                while (i < startTag.size() && startTag.at(i) != quote) {
                    ++i;
                }
                value = startTag.sliced(valueStart, i - valueStart);
                ++i;
            } else {
                while (i < startTag.size() && !startTag.at(i).isSpace() && startTag.at(i) != u'>') {
                    ++i;
                }
                value = startTag.sliced(valueStart, i - valueStart);
            }
        }
        if (attribute.compare(name, Qt::CaseInsensitive) == 0) {
            return DecodeCharacterReferences(value);
        }
    }
    return {};
}
