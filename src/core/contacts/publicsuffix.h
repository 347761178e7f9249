#pragma once

#include <QString>
#include <QStringView>

// Whether the last label of domain is a top-level domain of the public suffix list. Unlisted
// names («.example», «.png») are not, whatever the list's implicit "*" rule says.
bool HasKnownTopLevelDomain(QStringView domain);
// The part of host one can register, in lower case: «mail.example.co.uk» gives «example.co.uk».
// Empty when host is empty or a public suffix itself.
QString RegistrableDomain(QStringView host);
