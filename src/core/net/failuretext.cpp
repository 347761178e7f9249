#include "core/net/failuretext.h"

#include "core/settings/uitexts.h"

#include <QUrl>

QString FailureText(const QString &url, const FetchResult &result, const UiTexts &texts) {
    const QUrl address(url);
    const QString host = address.host().isEmpty() ? url : address.host();
    switch (result.error) {
    case FetchError::Untrusted:
        return texts.format(QStringLiteral("main153"), {host, result.errorText});
    case FetchError::CaFileUnreadable:
        return texts.format(QStringLiteral("main154"), result.errorText);
    case FetchError::InsecureRedirect:
        return texts.format(QStringLiteral("main159"), host);
    default:
        break;
    }
    const QString reason = result.errorText.isEmpty() ? FetchErrorName(result.error)
                                                      : FetchErrorName(result.error) + u": " + result.errorText;
    return host + u": " + reason;
}

bool MustBeShown(const FetchResult &result) {
    return result.error == FetchError::Untrusted || result.error == FetchError::CaFileUnreadable ||
           result.error == FetchError::InsecureRedirect;
}
