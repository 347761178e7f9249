#pragma once

#include <QString>
#include <QStringList>

// Appends to list every text of the page that has the shape of an e-mail address, in page
// order, unless an entry equal regardless of letter case is already there. A match whose last
// dot-separated part is an image, style sheet or script extension («logo@2x.png») is a file
// name, not an address, and is left out.
void AppendEmailAddresses(const QString &page, QStringList &list);
