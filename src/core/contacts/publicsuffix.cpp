#include "core/contacts/publicsuffix.h"

#include <libpsl.h>
#include <memory>

namespace {

struct PslFree {
    void operator()(psl_ctx_t *context) const { psl_free(context); }
};

// psl_latest() takes the newer of the library's built-in list and the list file of the system's
// publicsuffix package; psl_builtin() is the fallback when neither loads. psl_free() leaves the
// built-in one alone, and the context is read-only after loading, so threads may share it.
const psl_ctx_t *Suffixes() {
    static const std::unique_ptr<psl_ctx_t, PslFree> latest(psl_latest(nullptr));
    return latest ? latest.get() : psl_builtin();
}

} // namespace

bool HasKnownTopLevelDomain(QStringView domain) {
    const QStringView label = domain.mid(domain.lastIndexOf(u'.') + 1);
    if (label.isEmpty() || Suffixes() == nullptr) {
        return false;
    }
    const QByteArray tld = label.toString().toLower().toUtf8();
    return psl_is_public_suffix2(Suffixes(), tld.constData(), PSL_TYPE_ANY | PSL_TYPE_NO_STAR_RULE) != 0;
}

QString RegistrableDomain(QStringView host) {
    if (host.isEmpty() || Suffixes() == nullptr) {
        return {};
    }
    const QByteArray name = host.toString().toLower().toUtf8();
    const char *registrable = psl_registrable_domain(Suffixes(), name.constData());
    return registrable != nullptr ? QString::fromUtf8(registrable) : QString();
}
