#pragma once

#include "core/async/stoptoken.h"

#include <QString>
#include <qcoro/qcorotask.h>

class Host;

// The address the user's web browser is given for a link: http and https addresses as they are,
// an address without a scheme ("www.example.com", as company pages write their web sites)
// with "http://" in front; empty for any other scheme, a local path or no host at all.
QString BrowserAddress(const QString &address);

// How handing an address to the user's web browser ended.
struct BrowserOpening {
    enum class Result {
        Opened,         // the launcher ended with status 0
        NotAWebAddress, // BrowserAddress refused it: nothing was tried
        NoLauncher,     // the system names no program that opens web links
        LauncherFailed, // the launcher could not be started, crashed or ended with another status
        Abandoned,      // a stop ended the wait
    };

    Result result = Result::NotAWebAddress;
    QString address; // what the browser was to be given; empty for NotAWebAddress
    QString reason;  // LauncherFailed: what went wrong, for the log

    // The user should hear of it: the desktop could not open a web address.
    bool failed() const { return result == Result::NoLauncher || result == Result::LauncherFailed; }
};

// Opens a web address in the user's default web browser, handed over as one argument (never
// through a shell), and completes when the launcher has ended: its exit status tells whether the
// desktop could open it. Only what BrowserAddress accepts is tried. A stop, requested before or
// during the wait, ends it as abandoned.
QCoro::Task<BrowserOpening> OpenUrlInBrowser(Host &host, const QString &address, StopToken stop = {});

// Waits at least durationMs on a timer while the event loop runs on, so the user may act in the
// meantime; 0 or less waits for one turn of the event loop. A requested stop ends the wait at
// once. True when the wait ran its full time.
QCoro::Task<bool> PumpDelay(int durationMs, StopToken stop = {});

// The user's documents folder and per-user configuration folder; empty when unknown.
QString GetDocumentsFolder(Host &host);
QString GetAppDataFolder(Host &host);
// The program's own data folder: GetAppDataFolder followed by "Brisvane Software/Tarnwick";
// empty when GetAppDataFolder is.
QString AppDataFolder(Host &host);
