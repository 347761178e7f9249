#include "core/contacts/bracketaddresses.h"

#include <QRegularExpression>

namespace {

QRegularExpression Optimized(const QString &pattern) {
    QRegularExpression expression(pattern, QRegularExpression::CaseInsensitiveOption);
    expression.optimize();
    return expression;
}

// The bracketed "at" with the blanks after it; those before it are skipped by hand, so the scan
// only stops at brackets.
const QRegularExpression &AtWord() {
    static const QRegularExpression pattern =
        Optimized(QStringLiteral(R"((?:\[\s*at\s*\]|\(\s*at\s*\)|\{\s*at\s*\})\s*)"));
    return pattern;
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

bool IsLocalPartChar(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_' || u == u'-' ||
           u == u'.';
}

} // namespace

void FindBracketAddresses(const QString &page, FoundAddresses &found) {
    QRegularExpressionMatchIterator ats = AtWord().globalMatch(page);
    while (ats.hasNext()) {
        const QRegularExpressionMatch at = ats.next();
        qsizetype localEnd = at.capturedStart(0);
        while (localEnd > 0 && page[localEnd - 1].isSpace()) {
            --localEnd;
        }
        qsizetype start = localEnd;
        while (start > 0 && IsLocalPartChar(page[start - 1])) {
            --start;
        }
        if (start == localEnd) {
            continue;
        }
        const QRegularExpressionMatch domain = DomainPart().match(
            page, at.capturedEnd(0), QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (!domain.hasMatch()) {
            continue;
        }
        QString address = page.mid(start, localEnd - start) + u'@' + domain.captured(0);
        address.replace(DotWord(), QStringLiteral("."));
        found.append({start, std::move(address)});
    }
}
