#pragma once

#include <QString>
#include <QStringList>

// What the sample site says about one company, in the form the program's cells end up holding.
//
// The first two searches' company pages write text members as LinkedIn does: "&" as "&amp;" and "/" as "\/", except
// the website, which is written as it is (the program copies that member raw). The industry,
// type and size lists hold no "&", so those raw members read back unchanged.
struct SampleCompany {
    int layout = 0; // the search it belongs to: 1, 2, or 3 for today's
    QString slug;   // unique across the site, ASCII, e.g. "acme-widgets-l1p2e3"
    QString name;   // display name; some carry accents (é, ü) and "&"
    // LinkedIn headquarters. Entry 3 of every page has no country.
    QString street, city, state, zip, country;
    QString website;              // absolute address of its site on the sample site; "" for entry 6 of every page
    QString industry, type, size; // e.g. "Machinery", "Privately Held", "51-200 employees"
    QString founded;              // e.g. "1998"
    QStringList specialties;
    // Places. Entry 8 of every page is unknown to Places: no phone, region or types.
    QString phone;          // formatted_phone_number
    QString region;         // the region element of adr_address
    QStringList placeTypes; // "types" of the details reply, e.g. {"store", "point_of_interest"}
    // The addresses its site publishes: home page ones first, then contact page ones, in page
    // order, no duplicates (letter case ignored). Empty without a website.
    QStringList emails;
    // The addresses its site hides from a plain scan, which a reader lists after emails: entry 2
    // hides a role address behind Cloudflare's protection on its home page and a person's in an
    // encoded mailto link on its contact page; entry 5 writes a free-mail address as
    // "name (at) gmail (dot) com", a role address at a domain without a mail exchanger and one at
    // a domain that does not exist.
    QStringList hiddenEmails;
    // One entry per address of emails, then of hiddenEmails: the page it is first on ("" for the
    // home page, or "contact.html"), and its kinds as a reader grades them ("role", "free mail"
    // or ""), without the mail server's answer, which SampleContacts::MailServerOf gives.
    QStringList emailPages;
    QStringList emailKinds;
    // Entry 2 links its profiles on five networks beside share buttons and a post: the profiles,
    // in the order of networks a reader lists them (LinkedIn, X, Facebook, Instagram, YouTube,
    // GitHub, TikTok, Xing).
    QStringList socialLinks;

    // Today's search (layout 3) only; empty or false for the others.
    QString companyPage; // "BASE/company/SLUG/": the card's link, absolute, query and fragment dropped
    QString linkedInId;  // the number in "urn:li:company:ID"
    QString subtitle;    // the card's line "Industry • City, Country" (", Country" left out without one)
    QString followers;   // the card's line, e.g. "1,234 followers"
    // The fifth card of every page: a plain fetch of its company page meets the sign-in wall,
    // and only the signed-in about page shows its details. That page gives headquarters as
    // "City, State", so no street, zip or country can be read for it.
    bool signInWall = false;
    // The tenth card of every page: its public page leaves the industry out, which only the
    // card's subtitle shows.
    bool industryOnlyInSearch = false;
};
