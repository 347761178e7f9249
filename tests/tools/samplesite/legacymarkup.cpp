#include "legacymarkup.h"

#include <QRegularExpression>
#include <QSet>

namespace {

const QSet<QString> &ClassicAttributes() {
    static const QSet<QString> names = [] {
        QSet<QString> set;
        for (const char *name :
             {"abbr",        "accept",      "accept-charset", "accesskey",   "action",     "align",
              "alink",       "alt",         "archive",        "axis",        "background", "bgcolor",
              "border",      "cellpadding", "cellspacing",    "char",        "charoff",    "charset",
              "checked",     "cite",        "class",          "classid",     "clear",      "code",
              "codebase",    "codetype",    "color",          "cols",        "colspan",    "compact",
              "content",     "coords",      "data",           "datetime",    "declare",    "defer",
              "dir",         "disabled",    "enctype",        "face",        "for",        "frame",
              "frameborder", "headers",     "height",         "href",        "hreflang",   "hspace",
              "http-equiv",  "id",          "ismap",          "label",       "lang",       "language",
              "link",        "longdesc",    "marginheight",   "marginwidth", "maxlength",  "media",
              "method",      "multiple",    "name",           "nohref",      "noresize",   "noshade",
              "nowrap",      "object",      "profile",        "prompt",      "readonly",   "rel",
              "rev",         "rows",        "rowspan",        "rules",       "scheme",     "scope",
              "scrolling",   "selected",    "shape",          "size",        "span",       "src",
              "standby",     "start",       "style",          "summary",     "tabindex",   "target",
              "text",        "title",       "type",           "usemap",      "valign",     "value",
              "valuetype",   "version",     "vlink",          "vspace",      "width"}) {
            set.insert(QString::fromLatin1(name));
        }
        return set;
    }();
    return names;
}

QString DecodeEntities(const QString &text) {
    static const QRegularExpression entity(QStringLiteral("&(#x[0-9a-fA-F]+|#[0-9]+|[a-z]+);"));
    QString decoded;
    qsizetype at = 0;
    QRegularExpressionMatchIterator matches = entity.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        decoded += text.mid(at, match.capturedStart() - at);
        const QString name = match.captured(1);
        if (name.startsWith(u"#x")) {
            decoded += QChar(name.mid(2).toUInt(nullptr, 16));
        } else if (name.startsWith(u'#')) {
            decoded += QChar(name.mid(1).toUInt());
        } else if (name == u"amp") {
            decoded += u'&';
        } else if (name == u"lt") {
            decoded += u'<';
        } else if (name == u"gt") {
            decoded += u'>';
        } else if (name == u"quot") {
            decoded += u'"';
        } else if (name == u"nbsp") {
            decoded += QChar(0x00a0);
        } else {
            decoded += match.captured(0);
        }
        at = match.capturedEnd();
    }
    return decoded + text.mid(at);
}

QString EscapeText(const QString &text) {
    QString escaped;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            escaped += u"&amp;";
            break;
        case '<':
            escaped += u"&lt;";
            break;
        case '>':
            escaped += u"&gt;";
            break;
        case 0x00a0:
            escaped += u"&nbsp;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

QString EscapeAttribute(const QString &value) {
    QString escaped = value;
    return escaped.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'"', QStringLiteral("&quot;"))
        .replace(QChar(0x00a0), QStringLiteral("&nbsp;"));
}

QString Tag(const QString &inside) {
    if (inside.startsWith(u'/')) {
        return u"</" + inside.mid(1).trimmed().toUpper() + u'>';
    }
    static const QRegularExpression nameEnd(QStringLiteral("[\\s/]"));
    const qsizetype end = inside.indexOf(nameEnd);
    QString tag = u'<' + (end < 0 ? inside : inside.left(end)).toUpper();
    static const QRegularExpression attribute(QStringLiteral("\\s+([^\\s=/>]+)(?:=\"([^\"]*)\")?"));
    static const QRegularExpression simple(QStringLiteral("^[A-Za-z0-9._-]+$"));
    QRegularExpressionMatchIterator attributes = attribute.globalMatch(inside.mid(end < 0 ? inside.size() : end));
    while (attributes.hasNext()) {
        const QRegularExpressionMatch match = attributes.next();
        const QString name = match.captured(1);
        const QString value = DecodeEntities(match.captured(2));
        if (ClassicAttributes().contains(name) && simple.match(value).hasMatch()) {
            tag += u' ' + name + u'=' + value;
        } else {
            tag += u' ' + name + u"=\"" + EscapeAttribute(value) + u'"';
        }
    }
    return tag + u'>';
}

} // namespace

QString LegacyBodyMarkup(const QString &html) {
    const qsizetype begin = html.indexOf(u"<body");
    const qsizetype end = html.indexOf(u"</body>");
    if (begin < 0 || end < begin) {
        return {};
    }
    const QString body = html.mid(begin, end + 7 - begin);
    QString out;
    qsizetype at = 0;
    while (at < body.size()) {
        if (body.at(at) != u'<') {
            qsizetype next = body.indexOf(u'<', at);
            if (next < 0) {
                next = body.size();
            }
            out += EscapeText(DecodeEntities(body.mid(at, next - at)));
            at = next;
        } else if (body.mid(at, 4) == u"<!--") {
            const qsizetype close = body.indexOf(u"-->", at);
            out += body.mid(at, close + 3 - at);
            at = close + 3;
        } else {
            const qsizetype close = body.indexOf(u'>', at);
            out += Tag(body.mid(at + 1, close - at - 1));
            at = close + 1;
        }
    }
    return out;
}
