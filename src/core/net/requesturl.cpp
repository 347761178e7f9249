#include "core/net/requesturl.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

namespace {

// Blanks and control characters, which a browser drops around an address.
bool IsBlankOrControl(QChar c) {
    return c.unicode() <= 0x20;
}

// Tabs and line breaks, which a browser drops anywhere in an address.
bool IsTabOrLineBreak(QChar c) {
    return c == u'\t' || c == u'\n' || c == u'\r';
}

// The ASCII characters of the URL syntax: unreserved, reserved, and "%" of an encoded byte.
bool IsUrlCharacter(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) {
        return true;
    }
    return c < 0x80 && QByteArrayView("-._~:/?#[]@!$&'()*+,;=%").contains(static_cast<char>(c));
}

void AppendEncoded(QString &out, uchar byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += u'%';
    out += QLatin1Char(kHex[byte >> 4]);
    out += QLatin1Char(kHex[byte & 0x0F]);
}

// Where the path begins: behind "scheme://" and the host; 0 for an address without them.
qsizetype PathStart(QStringView address) {
    const qsizetype separator = address.indexOf(u"://");
    if (separator <= 0) {
        return 0;
    }
    for (qsizetype i = 0; i < separator; ++i) {
        if (address[i] == u'/' || address[i] == u'?' || address[i] == u'#') {
            return 0;
        }
    }
    qsizetype start = separator + 3;
    while (start < address.size() && address[start] != u'/' && address[start] != u'?' && address[start] != u'#') {
        ++start;
    }
    return start;
}

} // namespace

QString RequestUrl(const QString &address) {
    QStringView text(address);
    while (!text.isEmpty() && IsBlankOrControl(text.front())) {
        text = text.sliced(1);
    }
    while (!text.isEmpty() && IsBlankOrControl(text.back())) {
        text.chop(1);
    }
    const qsizetype pathStart = PathStart(text);

    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (IsTabOrLineBreak(c)) {
            ++i;
        } else if (i < pathStart || IsUrlCharacter(c.unicode())) {
            out += c;
            ++i;
        } else if (c.unicode() < 0x80) {
            AppendEncoded(out, static_cast<uchar>(c.unicode()));
            ++i;
        } else {
            // A run of other characters, encoded together so surrogate pairs stay whole.
            qsizetype end = i + 1;
            while (end < text.size() && text[end].unicode() >= 0x80) {
                ++end;
            }
            const QByteArray utf8 = text.sliced(i, end - i).toUtf8();
            for (const char byte : utf8) {
                AppendEncoded(out, static_cast<uchar>(byte));
            }
            i = end;
        }
    }
    return out;
}
