#pragma once

#include <QStringView>

// Whether a decoded address may be listed: it has the page scan's address shape as a whole, is no
// file name, holds at most 254 characters with a local part of at most 64, and ends in a
// top-level domain of the public suffix list.
bool IsAcceptableAddress(QStringView address);
