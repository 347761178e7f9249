#pragma once

#include "core/contacts/foundaddress.h"

#include <QStringView>

// The address Cloudflare's e-mail protection writes as hex: the first byte is the XOR key of the
// others, which hold the address in UTF-8. Empty when hex is not such a text.
QString DecodeCloudflareHex(QStringView hex);
// Appends the addresses of the page's data-cfemail attributes and /cdn-cgi/l/email-protection#
// links, in page order.
void FindCloudflareAddresses(const QString &page, FoundAddresses &found);
