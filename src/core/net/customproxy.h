#pragma once

#include <QString>

struct AppSettings;
class BrowserPane;
class RandomSource;

// The user agent every proxy change of the browser pane carries.
QString BrowserProxyUserAgent();

// Points the browser pane's later connections at the proxy the settings choose: direct first,
// then the fixed proxy, then (winning when both are on) one line drawn at random from the list.
// In list mode the drawn line is written back into eHost, ePort, eUserName and ePassword, and
// without rAuthentification the user name and password are emptied, so the next save stores that.
void SetCustomProxy(AppSettings &settings, BrowserPane &pane, RandomSource &random);
