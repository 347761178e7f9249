#include "core/export/cleanfilename.h"

QString CleanFileName(const QString &text) {
    QString cleaned = text;
    for (const QChar c : QStringView(u"\\/:?*\"<>|")) {
        cleaned.remove(c);
    }
    return cleaned;
}
