#include "core/contacts/cloudflareaddresses.h"

#include <QByteArray>

namespace {

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') {
        return u - u'0';
    }
    if (u >= u'a' && u <= u'f') {
        return u - u'a' + 10;
    }
    if (u >= u'A' && u <= u'F') {
        return u - u'A' + 10;
    }
    return -1;
}

} // namespace

QString DecodeCloudflareHex(QStringView hex) {
    if (hex.size() < 4 || hex.size() % 2 != 0) {
        return {};
    }
    QByteArray bytes;
    bytes.reserve(hex.size() / 2);
    for (qsizetype i = 0; i < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]);
        const int low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0) {
            return {};
        }
        bytes.append(static_cast<char>(high * 16 + low));
    }
    const char key = bytes.front();
    QByteArray decoded(bytes.size() - 1, Qt::Uninitialized);
    for (qsizetype i = 1; i < bytes.size(); ++i) {
        decoded[i - 1] = static_cast<char>(bytes[i] ^ key);
    }
    return QString::fromUtf8(decoded);
}
