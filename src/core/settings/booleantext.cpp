#include "core/settings/booleantext.h"

#include <QLocale>
#include <QString>

namespace {

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

QStringView TrimBlanks(QStringView text) {
    while (!text.isEmpty() && text.front() == u' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    return text;
}

} // namespace

std::optional<bool> ParseBooleanText(QStringView text, QStringView decimalSeparator) {
    if (text.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;

    const QStringView number = TrimBlanks(text);
    qsizetype i = 0;
    const auto skipSign = [&] {
        if (i < number.size() && (number[i] == u'+' || number[i] == u'-'))
            ++i;
    };
    bool anyDigit = false;
    bool nonZero = false;
    const auto readDigits = [&] {
        for (; i < number.size() && IsDigit(number[i]); ++i) {
            anyDigit = true;
            nonZero = nonZero || number[i] != u'0';
        }
    };

    skipSign();
    readDigits();
    if (!decimalSeparator.isEmpty() && number.sliced(i).startsWith(decimalSeparator)) {
        i += decimalSeparator.size();
        readDigits();
    }
    if (!anyDigit)
        return std::nullopt;
    if (i < number.size() && (number[i] == u'e' || number[i] == u'E')) {
        ++i;
        skipSign();
        const qsizetype exponentStart = i;
        while (i < number.size() && IsDigit(number[i]))
            ++i;
        if (i == exponentStart)
            return std::nullopt;
    }
    if (i != number.size())
        return std::nullopt;
    return nonZero;
}

std::optional<bool> ParseBooleanText(QStringView text) {
    return ParseBooleanText(text, QLocale::system().decimalPoint());
}

QString BooleanText(bool value) {
    return value ? QStringLiteral("-1") : QStringLiteral("0");
}
