#include "core/library/fetchfailures.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

constexpr QStringView CompanyPagePart = u"company page";
constexpr QStringView PlacesPart = u"places";
constexpr QStringView WebsitePart = u"website";
constexpr QStringView ReasonSeparator = u": ";

} // namespace

QString FailureText(const FetchFailures &failures) {
    QStringList parts;
    if (failures.companyPage) {
        parts.append(CompanyPagePart.toString());
    }
    if (failures.places) {
        parts.append(PlacesPart.toString());
    }
    if (failures.website) {
        parts.append(WebsitePart.toString());
    }
    if (parts.isEmpty()) {
        return {};
    }
    QString text = parts.join(u", "_s);
    if (!failures.reason.isEmpty()) {
        text += ReasonSeparator + failures.reason;
    }
    return text;
}

FetchFailures ParseFailureText(const QString &text) {
    // The reason may hold anything, so only the text before its separator names parts.
    const qsizetype separator = text.indexOf(ReasonSeparator);
    const QStringView names = separator < 0 ? QStringView(text) : QStringView(text).left(separator);
    FetchFailures failures;
    for (QStringView part : names.split(u", ")) {
        if (part == CompanyPagePart) {
            failures.companyPage = true;
        } else if (part == PlacesPart) {
            failures.places = true;
        } else if (part == WebsitePart) {
            failures.website = true;
        } else {
            return {};
        }
    }
    if (separator >= 0) {
        failures.reason = text.mid(separator + ReasonSeparator.size());
    }
    return failures;
}
