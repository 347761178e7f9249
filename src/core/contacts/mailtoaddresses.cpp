#include "core/contacts/mailtoaddresses.h"

#include <QRegularExpression>

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

void FindMailtoAddresses(const QString &page, FoundAddresses &found) {
    // The target ends where an attribute value or the markup does.
    static const QRegularExpression pattern = [] {
        QRegularExpression expression(QStringLiteral(R"(mailto:([^"'<>\s]+))"),
                                      QRegularExpression::CaseInsensitiveOption);
        expression.optimize();
        return expression;
    }();
    QRegularExpressionMatchIterator matches = pattern.globalMatch(page);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        for (QString &address : MailtoTargetAddresses(match.capturedView(1))) {
            found.append({match.capturedStart(0), std::move(address)});
        }
    }
}
