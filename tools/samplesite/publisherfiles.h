#pragma once

#include <QString>

// The publisher's files: update information, news text, offers page and help links.
namespace PublisherFiles {

// "mainappupdate.inf", naming the running version as the newest.
QString UpdateInformation();
// The news text, one section per language.
QString News();
// The offers page; language is the "lang" parameter the program adds.
QString Offers(const QString &language);
QString Tutorial();
QString Affiliates();
QString ProxyAdvice();

} // namespace PublisherFiles
