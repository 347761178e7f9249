#pragma once

#include <QString>

// What a domain's DNS says about mail sent to it.
enum class MailServerStatus {
    HasMx,
    // No MX record, but the domain has an address, which senders use instead.
    NoMxAFallback,
    // Neither, or the domain does not exist.
    NoMailServer,
    // No answer within the bound, a failing server, a stop, or no resolver.
    NotChecked,
};

// The value written into a row's cell; the same in every language.
QString MailServerStatusText(MailServerStatus status);
