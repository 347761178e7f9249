#include "core/enrichment/placestext.h"

#include "core/util/textcursor.h"

#include <QByteArray>

#include <array>

namespace {

bool IsCopiedInQuery(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '/';
}

struct Replacement {
    QStringView from;
    QStringView to;
};

// Rows apply one after another, each over the output of the rows before it.
constexpr std::array<Replacement, 18> artifactRepairs{{
    {u"\u00C3\u00A4", u"\u00E4"},
    {u"&#39;", u"'"},
    {u"\u00E2\u20AC\u2122", u"'"},
    {u"\u00C3\u00BC", u"\u00FC"},
    {u"\u00C3\u00AB", u"\u00EB"},
    {u"\u00C3\u00AF", u"\u00EF"},
    {u"\u00C3\u00B6", u"\u00F6"},
    {u"\u00C3\u00A9", u"\u00E9"},
    {u"\u00E2\u20AC\u017D", u""},
    {u"\u00C3\u0178", u"\u00DF"},
    {u"&nbsp;-&nbsp;", u""},
    {u"</nobr>", u""},
    {u"&amp;", u"&"},
    {u"<span>", u""},
    {u"</span>", u""},
    {u"&nbsp;", u" "},
    {u"<div>", u" "},
    {u"</div>", u" "},
}};

} // namespace

QString EncodeQueryValue(const QString &value) {
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    const QByteArray utf8 = value.toUtf8();
    QString encoded;
    encoded.reserve(utf8.size() * 3);
    for (const char byte : utf8) {
        if (IsCopiedInQuery(byte)) {
            encoded += QLatin1Char(byte);
            continue;
        }
        const auto code = static_cast<unsigned char>(byte);
        encoded += QLatin1Char('%');
        encoded += QLatin1Char(hexDigits[code >> 4]);
        encoded += QLatin1Char(hexDigits[code & 0x0F]);
    }
    return encoded;
}

QString RepairTextArtifacts(const QString &text) {
    QString repaired = text;
    for (const Replacement &row : artifactRepairs) {
        repaired.replace(row.from.toString(), row.to.toString());
    }
    return TrimControls(repaired);
}

QString StripLineBreaks(const QString &text) {
    QString stripped = text;
    stripped.remove(u'\r');
    stripped.remove(u'\n');
    return TrimControls(stripped);
}
