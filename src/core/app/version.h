#pragma once

#include <QString>

inline const QString ProductName = QStringLiteral("Tarnwick");
inline const QString ProgramVersion = QStringLiteral("3.12");
// The user agent of the program's own HTTP client.
inline const QString HttpUserAgent = QStringLiteral("Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)");
