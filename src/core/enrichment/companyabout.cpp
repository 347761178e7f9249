#include "core/enrichment/companyabout.h"

#include "core/model/leadrow.h"

#include <QUrl>
#include <QUrlQuery>

QString UnwrapRedirect(const QString &href) {
    const QUrl url(href.trimmed());
    if (url.path() != QLatin1String("/redir/redirect")) {
        return href;
    }
    const QString target = QUrlQuery(url).queryItemValue(QStringLiteral("url"), QUrl::FullyDecoded).trimmed();
    return target.isEmpty() ? href : target;
}

bool ReadHeadquartersLine(const QString &line, LeadRow &row) {
    const QString whole = line.trimmed();
    if (whole.isEmpty()) {
        return false;
    }
    row[LeadRow::FullAddress] = whole;
    const qsizetype comma = whole.indexOf(u',');
    row[LeadRow::City] = (comma < 0 ? whole : whole.left(comma)).trimmed();
    row[LeadRow::State] = comma < 0 ? QString() : whole.mid(comma + 1).trimmed();
    return true;
}
