#include "core/extraction/companylink.h"

#include "core/app/endpoints.h"

#include <QUrl>

namespace {

bool IsAbsoluteAddress(const QString &path) {
    return path.startsWith(u"http://", Qt::CaseInsensitive) || path.startsWith(u"https://", Qt::CaseInsensitive);
}

} // namespace

QString CompanyLink1(const QString &path, const Endpoints &endpoints) {
    const QString host = QUrl(endpoints.linkedInHttps).host();
    if (IsAbsoluteAddress(path) || (!host.isEmpty() && path.contains(host))) {
        return path;
    }
    return endpoints.linkedInHttps + path;
}

QString CompanyLink2(const QString &path, const Endpoints &endpoints) {
    if (IsAbsoluteAddress(path) || (!endpoints.linkedInHttp.isEmpty() && path.contains(endpoints.linkedInHttp))) {
        return path;
    }
    return endpoints.linkedInHttp + path;
}
