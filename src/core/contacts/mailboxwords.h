#pragma once

#include <QStringView>

// Whether the local part of an address names a role rather than a person: info, sales, contact
// and the like in English, French, Spanish, Italian and German, alone or before a separator or
// digits («sales.uk», «info2»).
bool IsRoleLocalPart(QStringView localPart);
// Whether the local part says no one reads the mailbox: noreply, do-not-reply, mailer-daemon and
// the like, with or without separators, alone or at the start.
bool IsNoReplyLocalPart(QStringView localPart);
