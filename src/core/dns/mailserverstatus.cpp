#include "core/dns/mailserverstatus.h"

QString MailServerStatusText(MailServerStatus status) {
    switch (status) {
    case MailServerStatus::HasMx:
        return QStringLiteral("has MX");
    case MailServerStatus::NoMxAFallback:
        return QStringLiteral("no MX (A fallback)");
    case MailServerStatus::NoMailServer:
        return QStringLiteral("no mail server");
    case MailServerStatus::NotChecked:
        break;
    }
    return QStringLiteral("not checked");
}
