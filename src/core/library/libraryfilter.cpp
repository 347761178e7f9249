#include "core/library/libraryfilter.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

QString FullTextQuery(const QString &text) {
    QStringList terms;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        const QString trimmed = word.trimmed();
        // A word of punctuation alone would be an empty phrase, which the index refuses.
        if (std::none_of(trimmed.cbegin(), trimmed.cend(), [](QChar c) { return c.isLetterOrNumber(); })) {
            continue;
        }
        terms << u'"' + QString(trimmed).replace(u'"', u"\"\""_s) + u"\"*"_s;
    }
    return terms.join(u' ');
}
