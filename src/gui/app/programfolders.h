#pragma once

#include <QString>

// The folder whose languages/ holds the language files: the executable's own folder in the build
// tree, ../share/tarnwick beside its bin folder once installed; the first that holds
// languages/en.dat. Empty when neither does.
QString ProgramDataFolder(const QString &executableFolder);

// Where the browser engine keeps cookies and site data: user data, under the XDG data folder.
// Empty when the system names no such folder (the engine then keeps them in memory).
QString BrowserStorageFolder();
// Where it keeps its HTTP cache, which may go at any time: under the XDG cache folder.
QString BrowserCacheFolder();

// Where the results list is journalled, so its rows outlive the program: user data, under the
// XDG data folder. Empty when the system names no such folder.
QString ResultsJournalFile();
