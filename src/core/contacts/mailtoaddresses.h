#pragma once

#include "core/contacts/foundaddress.h"

#include <QStringList>
#include <QStringView>

// The addresses of a mailto: link's target (the text after "mailto:"): the query and fragment are
// dropped, the rest is percent-decoded, and addresses separated by "," are each taken, trimmed.
QStringList MailtoTargetAddresses(QStringView target);
// Appends the addresses of every "mailto:" of the page, in page order.
void FindMailtoAddresses(const QString &page, FoundAddresses &found);
