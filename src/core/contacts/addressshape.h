#pragma once

#include <QRegularExpression>
#include <QStringView>

// The shape of an e-mail address as the page scan looks for it, unanchored.
const QRegularExpression &EmailAddressPattern();
// Whether the whole text has that shape.
bool HasEmailAddressShape(QStringView text);
// «logo@2x.png»: the last dot-separated part is an image, style sheet or script extension, so the
// text names a file, not a mailbox.
bool HasFileNameExtension(QStringView text);
