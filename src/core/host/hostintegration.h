#pragma once

#include <QString>
#include <QtGlobal>

class Host;

// Start-up duties towards the host: an empty browser cache, and the browser engine level the
// embedded browser is asked to emulate, written under the program's executable names.

// Where the emulation values live (under the current user) and where the installed browser's
// command is registered (under the classes root).
inline constexpr QStringView BrowserEmulationKey =
    u"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";
inline constexpr QStringView InternetExplorerCommandKey = u"Applications\\iexplore.exe\\shell\\open\\command";

// Empties the browser's HTTP cache; cookies, and so a sign-in, survive.
void ClearUrlCache(Host &host);

// The full path of iexplore.exe taken from its registered command, or empty text.
QString GetIEPath(Host &host);
// The browser's file version as "major.minor.build.revision", or "0" when it cannot be found.
QString GetIEVersion(Host &host);
// The emulation value for a version text: 12001, 11001, 10001, 9999, or 8000 for anything else.
quint32 BrowserEmulationValue(const QString &ieVersion);
// Writes the emulation value for ieVersion under "Tarnwick.exe" and under the name the
// executable runs as; a key that cannot be written is skipped silently.
void SetIERegistryKey(Host &host, const QString &ieVersion);
