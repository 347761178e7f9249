#pragma once

#include <QString>
#include <QStringList>

// Result pages and company pages as the browser pane serialises them, for the parser tests.
namespace ResultPages {

struct Entry {
    QString href; // the anchor's href as the markup writes it ("&" as "&amp;")
    QString name; // the anchor's content
};

QString Layout1(const QString &keyword, const QList<Entry> &entries, bool hasNext = true);
QString Layout2(const QString &keyword, const QList<Entry> &entries, bool hasNext = true);

struct Company {
    QString website;
    QString street = QStringLiteral("1 Main St");
    QString city = QStringLiteral("Lyon");
    QString state = QStringLiteral("ARA");
    QString zip = QStringLiteral("69001");
    QString country = QStringLiteral("France");
    QString industry = QStringLiteral("Machinery");
};
// A company page carrying the members the details reader takes.
QString CompanyPage(const Company &company);

// The three Places replies for one place, in the service's pretty-printed form.
QString GeocodeReply();
QString NearbyReply(const QString &placeId);
QString DetailsReply(const QString &phone, const QString &region, const QString &types);

} // namespace ResultPages
