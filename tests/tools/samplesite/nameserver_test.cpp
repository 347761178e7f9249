#include "core/dns/mailexchangercheck.h"
#include "samplesite/samplecontacts.h"
#include "sitefixture.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace {

class SampleNameServerTest : public SampleSiteTest {};

TEST_F(SampleNameServerTest, AnswersEveryDomainAsTheSampleContactsSay) {
    QStringList domains = {u"gmail.com"_s,   u"Gmail.COM"_s,   u"mail.gmail.com"_s,
                           u"example.com"_s, u"example.org"_s, u"nowhere.test"_s};
    QSet<QString> companyAnswers;
    for (const int layout : {1, 2, 3}) {
        for (const SampleCompany &company : site.companies(layout, 1)) {
            for (const QString &address : company.emails + company.hiddenEmails) {
                domains.append(address.section(u'@', -1));
                companyAnswers.insert(SampleContacts::MailServerOf(domains.last()));
            }
        }
    }
    MailExchangerCheck check(site.endpoints().dnsServer);
    for (const QString &domain : domains) {
        EXPECT_EQ(MailServerStatusText(QCoro::waitFor(check.check(domain))), SampleContacts::MailServerOf(domain))
            << domain.toStdString();
    }
    // A run over one page meets every answer but "not checked".
    EXPECT_EQ(companyAnswers.size(), 3);
}

} // namespace
