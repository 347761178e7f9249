#include "core/util/textcursor.h"

void SplitText(const QString &text, const QString &delimiter, QStringList &list) {
    list.clear();
    if (delimiter.isEmpty()) {
        list.append(text);
        return;
    }
    qsizetype from = 0;
    for (qsizetype found = text.indexOf(delimiter); found >= 0; found = text.indexOf(delimiter, from)) {
        list.append(text.sliced(from, found - from));
        from = found + delimiter.size();
    }
    list.append(text.sliced(from));
}
