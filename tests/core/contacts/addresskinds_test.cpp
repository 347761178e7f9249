#include "core/contacts/addresskinds.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct KindCase {
    QString address;
    QString website;
    QString text;
};

TEST(AddressKinds, TextListsTheKindsInOrder) {
    const KindCase cases[] = {
        {u"info@acme.com"_s, u"https://www.acme.com/"_s, u"role"_s},
        {u"jane.doe@acme.com"_s, u"acme.com"_s, u""_s},
        {u"sales.uk2@acme.com"_s, u"acme.com"_s, u"role"_s},
        {u"Do-Not-Reply@mail.acme.co.uk"_s, u"http://www.acme.co.uk"_s, u"no-reply"_s},
        {u"noreply-billing@acme.com"_s, u"acme.com"_s, u"no-reply"_s},
        {u"bonjour@gmail.com"_s, u"acme.fr"_s, u"role, free mail"_s},
        {u"jane@yahoo.co.uk"_s, u"acme.co.uk"_s, u"free mail"_s},
        {u"jane@mail.yahoo.com"_s, u"acme.com"_s, u"free mail"_s},
        {u"jane@yahoo-agency.com"_s, u"acme.com"_s, u"other domain"_s},
        {u"ventas@agency.es"_s, u"https://acme.es"_s, u"role, other domain"_s},
        {u"ufficio.commerciale@acme.it"_s, u"acme.it"_s, u"role"_s},
        {u"mailer-daemon@acme.com"_s, u""_s, u"no-reply"_s},
        {u"jane@acme.com"_s, u"http://127.0.0.1:8080/sites/acme/"_s, u""_s},
        {u"jane@acme.com"_s, u"http://[::1]/"_s, u""_s},
    };
    for (const KindCase &c : cases) {
        EXPECT_EQ(AddressKindTexts({c.address}, c.website), QStringList{c.text}) << qPrintable(c.address);
    }
}

TEST(AddressKinds, AllFourInOrder) {
    const AddressKinds all =
        AddressKind::OtherDomain | AddressKind::FreeMail | AddressKind::NoReply | AddressKind::Role;
    EXPECT_EQ(AddressKindText(all), u"role, no-reply, free mail, other domain"_s);
}

} // namespace
