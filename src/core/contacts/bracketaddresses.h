#pragma once

#include "core/contacts/foundaddress.h"

// The bracketed "at" of an address and the blanks after it, as a pattern to scan for: «[at]»,
// «( AT )», «{at}»; the brackets of one word pair.
QString BracketAtPattern();
// The address written around the bracketed "at" at [atStart, atEnd) of page, with where it
// starts: «name [at] example [dot] com», «name(at)example.com», «name {at} example {dot} com».
// Letter case does not matter and blanks may stand around the brackets. No address (empty) when
// no name stands before the "at" or no domain of two labels or more after it, so a bare "at"
// between words is none.
FoundAddress BracketAddressAround(const QString &page, qsizetype atStart, qsizetype atEnd);
