#include "core/contacts/bracketaddresses.h"

#include <QRegularExpression>

namespace {

QRegularExpression Optimized(const QString &pattern) {
    QRegularExpression expression(pattern, QRegularExpression::CaseInsensitiveOption);
    expression.optimize();
    return expression;
}

// The domain after it: labels joined by dots or bracketed "dot" words, at least two labels.
const QRegularExpression &DomainPart() {
    static const QRegularExpression pattern = Optimized(
        QStringLiteral(R"([_a-z\d\-]+(?:(?:\s*(?:\[\s*dot\s*\]|\(\s*dot\s*\)|\{\s*dot\s*\})\s*|\.)[_a-z\d\-]+)+)"));
    return pattern;
}

const QRegularExpression &DotWord() {
    static const QRegularExpression pattern = Optimized(QStringLiteral(R"(\s*[\[({]\s*dot\s*[\])}]\s*)"));
    return pattern;
}

constexpr qsizetype maxDomainChars = 320;

bool IsLocalPartChar(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_' || u == u'-' ||
           u == u'.';
}

} // namespace

// The blanks before the "at" are skipped by hand, so a scan stops at brackets only.
QString BracketAtPattern() {
    return QStringLiteral(R"((?:\[\s*at\s*\]|\(\s*at\s*\)|\{\s*at\s*\})\s*)");
}

FoundAddress BracketAddressAround(const QString &page, qsizetype atStart, qsizetype atEnd) {
    qsizetype localEnd = atStart;
    while (localEnd > 0 && page[localEnd - 1].isSpace()) {
        --localEnd;
    }
    qsizetype start = localEnd;
    while (start > 0 && IsLocalPartChar(page[start - 1])) {
        --start;
    }
    if (start == localEnd) {
        return {};
    }
    // A longer domain makes too long an address; the bound keeps each match off the rest of the
    // page.
    const QStringView rest = QStringView(page).mid(atEnd);
    const QStringView window = rest.left(maxDomainChars);
    const QRegularExpressionMatch domain =
        DomainPart().match(window, 0, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
    if (!domain.hasMatch() || (domain.capturedLength(0) == window.size() && rest.size() > window.size())) {
        return {};
    }
    QString address = page.mid(start, localEnd - start) + u'@' + domain.captured(0);
    if (address.contains(u'[') || address.contains(u'(') || address.contains(u'{')) {
        address.replace(DotWord(), QStringLiteral("."));
    }
    return {start, std::move(address)};
}
