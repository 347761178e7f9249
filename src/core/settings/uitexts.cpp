#include "core/settings/uitexts.h"

QString UiTexts::format(const QString &tag, const QStringList &values) const {
    const QString entry = text(tag);
    const QStringView placeholderStart = u"[VAR";
    QString result;
    qsizetype copied = 0;
    for (qsizetype at = entry.indexOf(placeholderStart); at >= 0; at = entry.indexOf(placeholderStart, at + 1)) {
        const qsizetype digit = at + placeholderStart.size();
        if (digit + 1 >= entry.size() || entry[digit + 1] != u']') {
            continue;
        }
        const qsizetype number = entry[digit].unicode() - u'0';
        if (number < 1 || number > values.size()) {
            continue;
        }
        result += QStringView(entry).sliced(copied, at - copied) + values[number - 1];
        copied = digit + 2;
    }
    return result + QStringView(entry).sliced(copied);
}
