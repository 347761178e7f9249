#pragma once

#include <QString>

// Text helpers of the Places lookup.

// Percent-encodes a value for a query string: ASCII letters, digits, "-", "." and "/" are
// copied, every other character goes out as its UTF-8 bytes ("&" as "%26", "é" as "%C3%A9").
QString EncodeQueryValue(const QString &value);

// Undoes the UTF-8-read-as-Windows-1252 artefacts and the few tags and entities a place's type
// list can carry, then trims spaces and control characters.
QString RepairTextArtifacts(const QString &text);

// Removes every carriage return and line feed, then trims spaces and control characters.
QString StripLineBreaks(const QString &text);
