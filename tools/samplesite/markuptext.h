#pragma once

#include <QString>

#include <string>

// Text as HTML element content or as a double-quoted attribute value.
QString HtmlEscaped(const QString &text);
// A query value, UTF-8 and percent-encoded.
QString QueryEncoded(const QString &value);
// A decoded query value as bytes: UTF-8, or Latin-1 when the bytes are no valid UTF-8 (a client
// that encodes each code unit below 256 as one byte sends them so).
QString DecodedQueryValue(const std::string &bytes);
// The words of text in lower-case ASCII letters and digits, accents dropped, joined by "-".
QString AsciiSlug(const QString &text);
