#include "core/settings/newsline.h"

#include "core/settings/languagefile.h"
#include "core/util/textcursor.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype MaxShownCharacters = 200;

// The first characters of text with "…" as the last of them, never splitting a surrogate pair.
QString Shortened(const QString &text) {
    if (text.size() <= MaxShownCharacters) {
        return text;
    }
    qsizetype kept = MaxShownCharacters - 1;
    if (text.at(kept - 1).isHighSurrogate()) {
        --kept;
    }
    return text.first(kept) + u'\u2026';
}

} // namespace

NewsLine BuildNewsLine(const QString &newsText, const QString &newsLink, const QString &languageCode) {
    const QString code = AsciiUpper(languageCode);
    TextCursor buffer(newsText);
    const QString startTag = u'<' + code + u"1>"_s;
    const QString endTag = u"</"_s + code + u"1>"_s;
    const QString text = HtmlToText(ReadTagText(buffer, startTag, endTag));
    NewsLine line;
    line.markup = u"<a href=\""_s + newsLink.toHtmlEscaped() + u"\">"_s + Shortened(text).toHtmlEscaped() + u"</a>"_s;
    // A paragraph, so a tooltip is taken as rich text whatever the section starts with.
    if (!text.isEmpty()) {
        line.toolTip = u"<p>"_s + text.toHtmlEscaped() + u"</p>"_s;
    }
    return line;
}
