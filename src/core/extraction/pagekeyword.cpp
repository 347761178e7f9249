#include "core/extraction/pagekeyword.h"

#include "core/util/textcursor.h"

namespace {

// Keeps the part of keyword in front of the first occurrence of marker (exact case), trimmed.
void KeepBefore(QString &keyword, QStringView marker) {
    const qsizetype at = keyword.indexOf(marker);
    if (at >= 0) {
        keyword = TrimControls(keyword.left(at));
    }
}

void DropPlaceholder(QString &keyword) {
    if (keyword.contains(u"Search") || keyword.contains(u"Ricerca")) {
        keyword.clear();
    }
}

} // namespace

QString PageKeyword1(const QString &page) {
    QString keyword;
    if (page.contains(u"main-search-box")) {
        TextCursor buffer(page);
        CutBetween(u"main-search-box", u"value", 0, buffer); // onto the first "value" behind the box
        keyword = CutBetween(u"value=", u">", 0, buffer);
        KeepBefore(keyword, u"autocomplete");
        KeepBefore(keyword, u"name");
        keyword = TrimControls(keyword.remove(u'"'));
        DropPlaceholder(keyword);
    }
    return TrimControls(keyword.remove(u'"'));
}

QString PageKeyword2(const QString &page) {
    QString keyword;
    if (page.contains(u"name=keywords")) {
        TextCursor buffer(page);
        const QString tag = CutBetween(u"name=keywords", u">", 0, buffer);
        // Only the field's own tag is searched, so a "value=" elsewhere is never taken.
        buffer = TextCursor(tag + u'>');
        keyword = CutBetween(u"value=", u">", 0, buffer);
        keyword.remove(QStringLiteral("autocomplete=\"off\"")).remove(u'>').remove(u'"');
        keyword = TrimControls(keyword);
        DropPlaceholder(keyword);
    }
    return TrimControls(keyword);
}
