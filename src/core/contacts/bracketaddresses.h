#pragma once

#include "core/contacts/foundaddress.h"

// Appends the addresses the page writes with the "at" and the "dot" in brackets, in page order:
// «name [at] example [dot] com», «name(at)example.com», «name {at} example {dot} com». Letter case
// does not matter and blanks may stand around the brackets; the brackets of one word must pair.
// A bare "at" between words is no address.
void FindBracketAddresses(const QString &page, FoundAddresses &found);
