#include "core/enrichment/emailaddresses.h"

#include <QRegularExpression>

#include <array>

namespace {

const QRegularExpression &AddressPattern() {
    static const QRegularExpression pattern = [] {
        QRegularExpression expression(QStringLiteral(R"([_a-zA-Z\d\-\.]+@[_a-zA-Z\d\-]+(\.[_a-zA-Z\d\-]+)+)"));
        expression.optimize();
        return expression;
    }();
    return pattern;
}

bool IsFileName(QStringView match) {
    static constexpr std::array<QStringView, 10> fileExtensions{u"png",  u"jpg", u"jpeg", u"gif", u"svg",
                                                                u"webp", u"bmp", u"ico",  u"css", u"js"};
    const QStringView lastPart = match.mid(match.lastIndexOf(u'.') + 1);
    for (const QStringView extension : fileExtensions) {
        if (lastPart.compare(extension, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

void AppendEmailAddresses(const QString &page, QStringList &list) {
    QRegularExpressionMatchIterator matches = AddressPattern().globalMatch(page);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const QStringView address = match.capturedView(0);
        if (IsFileName(address)) {
            continue;
        }
        if (!list.contains(address, Qt::CaseInsensitive)) {
            list.append(address.toString());
        }
    }
}
