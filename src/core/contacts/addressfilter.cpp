#include "core/contacts/addressfilter.h"

#include "core/contacts/addressshape.h"
#include "core/contacts/publicsuffix.h"

namespace {

constexpr qsizetype maxAddressLength = 254;
constexpr qsizetype maxLocalPartLength = 64;

} // namespace

bool IsAcceptableAddress(QStringView address) {
    if (address.size() > maxAddressLength || !HasEmailAddressShape(address) || HasFileNameExtension(address)) {
        return false;
    }
    const qsizetype at = address.indexOf(u'@');
    return at <= maxLocalPartLength && HasKnownTopLevelDomain(address.mid(at + 1));
}
