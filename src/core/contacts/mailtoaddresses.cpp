#include "core/contacts/mailtoaddresses.h"

#include <QByteArray>

QStringList MailtoTargetAddresses(QStringView target) {
    qsizetype end = 0;
    while (end < target.size() && target[end] != u'?' && target[end] != u'#') {
        ++end;
    }
    const QByteArray encoded = target.left(end).toUtf8();
    const QString decoded = QString::fromUtf8(QByteArray::fromPercentEncoding(encoded));
    QStringList addresses;
    for (const QStringView part : QStringView(decoded).split(u',')) {
        const QStringView address = part.trimmed();
        if (!address.isEmpty()) {
            addresses.append(address.toString());
        }
    }
    return addresses;
}
