#pragma once

#include <QStringView>

// Whether the domain of an address belongs to a free mail provider listed in freemail.txt: its
// registrable domain is listed, or a "name.*" line names it under any public suffix.
bool IsFreeMailDomain(QStringView domain);
