#pragma once

#include <QString>

// An address as a browser sends it, for addresses copied from pages and profiles that libcurl
// would refuse: blanks and control characters around it are dropped, tabs and line breaks
// inside it removed, and every other character outside the URL syntax (a blank, a quote, a
// non-ASCII letter, ...) percent-encoded as UTF-8 ("a b" gives "a%20b", "é" gives "%C3%A9").
// Reserved characters and percent signs are kept, so an encoded address stays as it is; the
// host is kept too (libcurl converts an international host name itself).
QString RequestUrl(const QString &address);
