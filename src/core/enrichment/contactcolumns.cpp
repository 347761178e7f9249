#include "core/enrichment/contactcolumns.h"

#include "core/contacts/addresskinds.h"
#include "core/dns/mailexchangercheck.h"
#include "core/dns/mailserverstatus.h"
#include "core/enrichment/emailharvester.h"

#include <QStringList>

QCoro::Task<> FillContactColumns(LeadRow &row, const EmailHarvester &harvest, MailExchangerCheck *mailServers,
                                 StopToken stop) {
    const QStringList addresses = harvest.EmailList();
    const QStringList kinds = AddressKindTexts(addresses, harvest.WebsiteURL());
    QStringList grades;
    QStringList sources;
    for (qsizetype i = 0; i < addresses.size(); ++i) {
        MailServerStatus server = MailServerStatus::NotChecked;
        if (mailServers != nullptr && !stop.requested()) {
            const QString domain = addresses.at(i).section(u'@', -1);
            // Checks are cached per domain, so a row's second address at one domain costs nothing.
            server = co_await mailServers->check(domain, stop);
        }
        const QString &kind = kinds.value(i);
        const QString serverText = MailServerStatusText(server);
        grades.append(kind.isEmpty() ? serverText : kind + QStringLiteral(", ") + serverText);
        // A ";" inside a page's address would split the cell.
        sources.append(QString(harvest.emailSources().value(i)).replace(u';', QStringLiteral("%3B")));
    }
    row[LeadRow::EmailStatus] = grades.join(u';');
    row[LeadRow::EmailSource] = sources.join(u';');
    row[LeadRow::SocialLinks] = harvest.socialLinks();
}
