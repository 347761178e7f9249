#include "core/enrichment/emailaddresses.h"

#include <QRegularExpression>
#include <QSet>

#include <array>
#include <utility>

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
    // Case-folded copies of the entries make each duplicate test one hash lookup.
    QSet<QString> listed;
    listed.reserve(list.size());
    for (const QString &entry : list) {
        listed.insert(entry.toCaseFolded());
    }
    QRegularExpressionMatchIterator matches = AddressPattern().globalMatch(page);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const QStringView address = match.capturedView(0);
        if (IsFileName(address)) {
            continue;
        }
        QString folded = address.toString().toCaseFolded();
        if (!listed.contains(folded)) {
            listed.insert(std::move(folded));
            list.append(address.toString());
        }
    }
}
