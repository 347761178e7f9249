#pragma once

#include <QString>

#include <optional>

// The publisher's update information file: line 2 names the program, line 3 holds
// "Version=" and the newest version number. Lines end with CR LF, CR or LF.

// The version text of line 3 without its first "Version=", or nothing when the file has fewer
// than three lines.
std::optional<QString> NewestVersionText(const QString &updateFile);

// A version text read as a decimal number with "." as the separator, whatever the locale:
// an optional sign, digits and an optional fraction, blanks around it allowed. Anything else
// ("3,130", "1e3", "inf") reads as 0.
double VersionNumber(const QString &text);

// Versions compare as decimal numbers, not part by part: "3.2" is newer than "3.12".
bool IsNewerVersion(const QString &newest, const QString &running);
