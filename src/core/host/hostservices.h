#pragma once

#include "core/async/stoptoken.h"

#include <QString>
#include <qcoro/qcorotask.h>

class Host;

// The address the user's web browser is given for a link: http and https addresses as they are,
// an address without a scheme ("www.example.com", as company pages write their web sites)
// with "http://" in front; empty for any other scheme, a local path or no host at all.
QString BrowserAddress(const QString &address);

// Opens a web address in the user's default web browser, handed over as one argument (never
// through a shell). Only what BrowserAddress accepts is opened; failures are silent, and with no
// browser launcher nothing is opened.
void OpenUrlInBrowser(Host &host, const QString &address);

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
