#include "core/util/textcursor.h"

namespace {

struct Replacement {
    QStringView from;
    QStringView to;
};

// Applied top to bottom; each row works on the output of the rows before it.
constexpr Replacement Replacements[] = {
    {u"%2E", u"."},
    {u"%3A", u":"},
    {u"%2F", u"/"},
    {u"<SPAN>", u""},
    {u"<BR>", u" "},
    {u"</SPAN>", u""},
    {u"http%3A%2F%2F", u"http://"},
    {u"\"", u""},
    {u"<br/>", u""},
    {u"&amp;", u"&"},
    {u"<b>", u""},
    {u"</b>", u""},
    {u"<B>", u""},
    {u"</B>", u""},
    {u"<li>", u""},
    {u"</li>", u""},
    {u"</ul>", u""},
    {u"<ul>", u""},
    {u"</A>", u""},
    {u"&nbsp;", u" "},
    {u"\r", u" "},
    {u"\n", u" "},
    {u"\t", u" "},
    {u"&#039;", u"'"},
    {u"&#39;", u"'"},
    {u"  ", u" "},
    {u"&#x2019;", u"'"},
    {u"&#xe1;", u"\u00e1"},
    {u"&#xe9;", u"\u00e9"},
    {u"&#xf3;", u"\u00f3"},
    {u"&#xed;", u"\u00ed"},
    {u"&#xfa;", u"\u00fa"},
    {u"&#xba;", u"\u00ba"},
    {u"&#xe0;", u"\u00e0"},
    {u"&#xe8;", u"\u00e8"},
    {u"&#xea;", u"\u00ea"},
    {u"&#xeb;", u"\u00eb"},
};

// One left-to-right pass: matches do not overlap and inserted text is not searched again.
QString ReplaceAll(const QString &text, const Replacement &row) {
    qsizetype found = text.indexOf(row.from);
    if (found < 0) {
        return text;
    }
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    while (found >= 0) {
        result.append(QStringView(text).sliced(from, found - from));
        result.append(row.to);
        from = found + row.from.size();
        found = text.indexOf(row.from, from);
    }
    result.append(QStringView(text).sliced(from));
    return result;
}

} // namespace

QString TrimControls(const QString &text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32) {
        ++begin;
    }
    while (end > begin && text.at(end - 1).unicode() <= 32) {
        --end;
    }
    return begin == 0 && end == text.size() ? text : text.sliced(begin, end - begin);
}

QString HtmlToText(const QString &text) {
    QString result = TrimControls(text);
    for (const Replacement &row : Replacements) {
        result = ReplaceAll(result, row);
    }
    return TrimControls(result);
}
