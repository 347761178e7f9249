#pragma once

#include <QByteArray>
#include <QString>

// Turns reply bytes into text. With utf8 the bytes are read as UTF-8 whatever the reply
// declares (invalid sequences become U+FFFD); otherwise by the charset of contentType, or by
// the system's code page when it names none or one that is unknown. Replies are decoded by
// BodyTextDecoder as they arrive, to the same text.
QString DecodeBody(const QByteArray &body, const QByteArray &contentType, bool utf8);

// The charset parameter of a Content-Type value, without quotes; empty when there is none.
QByteArray CharsetOf(const QByteArray &contentType);
