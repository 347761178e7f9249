#pragma once

#include <QString>
#include <QStringView>

// The address Cloudflare's e-mail protection writes as hex: the first byte is the XOR key of the
// others, which hold the address in UTF-8. Empty when hex is not such a text.
QString DecodeCloudflareHex(QStringView hex);
