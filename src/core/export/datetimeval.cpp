#include "core/export/datetimeval.h"

QString MakeDateTimeVal(const QDateTime &moment, const QLocale &locale) {
    // One format over the whole moment, so a time-zone field in the long time format names
    // the moment's own zone.
    const QString format = locale.dateFormat(QLocale::ShortFormat) + u' ' + locale.timeFormat(QLocale::LongFormat);
    QString text = locale.toString(moment, format);
    text.replace(u':', u'-');
    text.replace(u'/', u'-');
    return text;
}
