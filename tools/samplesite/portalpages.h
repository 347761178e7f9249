#pragma once

#include <QString>

// The small LinkedIn and Google Maps pages around the searches.
namespace PortalPages {

// "/": the site's start page with links to the three searches.
QString Home(const QString &keyword);
// "/feed/nhome/": the member home page, which the program replaces by the company search.
QString MemberHome(const QString &keyword);
// "/maps": what a row's map link opens; query is the "q" parameter.
QString Map(const QString &query);

// Where LinkedIn sends a visitor without a session and a member it wants to check.
QString AuthWall();      // "/authwall": "Sign in to see more"
QString SignIn();        // "/login", "/uas/login"
QString SecurityCheck(); // "/checkpoint/...": "Let's do a quick security check"
QString TooManyRequests();

} // namespace PortalPages
