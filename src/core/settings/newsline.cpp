#include "core/settings/newsline.h"

#include "core/settings/languagefile.h"
#include "core/util/textcursor.h"

using namespace Qt::StringLiterals;

QString BuildNewsLine(const QString &newsText, const QString &newsLink, const QString &languageCode) {
    const QString code = AsciiUpper(languageCode);
    TextCursor buffer(newsText);
    const QString startTag = u'<' + code + u"1>"_s;
    const QString endTag = u"</"_s + code + u"1>"_s;
    const QString text = ReadTagText(buffer, startTag, endTag);
    return u"<a href=\""_s + newsLink + u"\">"_s + text + u"</a>"_s;
}
