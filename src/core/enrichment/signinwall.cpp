#include "core/enrichment/signinwall.h"

#include <QUrl>

#include <array>

namespace {

constexpr long refusedStatus = 999;

constexpr std::array<QStringView, 3> wallPaths{u"/authwall", u"/login", u"/uas/login"};

} // namespace

bool IsSignInWall(const QString &effectiveUrl, long httpStatus) {
    if (httpStatus == refusedStatus) {
        return true;
    }
    const QString path = QUrl(effectiveUrl.trimmed()).path();
    for (const QStringView wall : wallPaths) {
        // Whole path segments only: "/loginhelp" is another page.
        if (path.startsWith(wall, Qt::CaseInsensitive) &&
            (path.size() == wall.size() || path.at(wall.size()) == u'/')) {
            return true;
        }
    }
    return false;
}
