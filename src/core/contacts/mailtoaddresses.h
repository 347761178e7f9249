#pragma once

#include <QStringList>
#include <QStringView>

// The addresses of a mailto: link's target (the text after "mailto:"): the query and fragment are
// dropped, the rest is percent-decoded, and addresses separated by "," are each taken, trimmed.
QStringList MailtoTargetAddresses(QStringView target);
