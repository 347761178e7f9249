#include "core/contacts/addressshape.h"

#include <array>

namespace {

constexpr QStringView addressPattern = uR"([_a-zA-Z\d\-\.]+@[_a-zA-Z\d\-]+(\.[_a-zA-Z\d\-]+)+)";

QRegularExpression Optimized(const QString &pattern) {
    QRegularExpression expression(pattern);
    expression.optimize();
    return expression;
}

} // namespace

const QRegularExpression &EmailAddressPattern() {
    static const QRegularExpression pattern = Optimized(addressPattern.toString());
    return pattern;
}

bool HasEmailAddressShape(QStringView text) {
    static const QRegularExpression whole = Optimized(QRegularExpression::anchoredPattern(addressPattern.toString()));
    return whole.match(text).hasMatch();
}

bool HasFileNameExtension(QStringView text) {
    static constexpr std::array<QStringView, 10> fileExtensions{u"png",  u"jpg", u"jpeg", u"gif", u"svg",
                                                                u"webp", u"bmp", u"ico",  u"css", u"js"};
    const QStringView lastPart = text.mid(text.lastIndexOf(u'.') + 1);
    for (const QStringView extension : fileExtensions) {
        if (lastPart.compare(extension, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}
