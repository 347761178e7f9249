#pragma once

#include "core/async/completion.h"
#include "core/async/stoptoken.h"
#include "core/dns/dnsanswer.h"
#include "core/dns/mailserverstatus.h"

#include <QString>
#include <qcoro/qcorotask.h>

#include <chrono>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class AresChannel;

// Whether a domain can receive mail, asked of DNS without blocking:
// - an MX record: has MX; a null MX (a single "." exchanger): no mail server;
// - no MX record: an A or AAAA record is the fallback; neither, or no such domain: no mail server;
// - a time-out, a failing or refusing server, a stop, or a resolver that could not start: not
//   checked.
// One lookup per domain for the life of the object, bounded in all, shared by every caller
// that asks meanwhile; its result is kept until clear().
class MailExchangerCheck {
public:
    static constexpr std::chrono::milliseconds DefaultBound{3000};

    // servers: empty for the system's resolver configuration, else "host:port" entries separated
    // by commas (Endpoints::dnsServer). bound: the most one domain's lookup may take.
    explicit MailExchangerCheck(const QString &servers = {}, std::chrono::milliseconds bound = DefaultBound);
    // Callers still waiting get not checked, inside the destructor.
    ~MailExchangerCheck();
    MailExchangerCheck(const MailExchangerCheck &) = delete;
    MailExchangerCheck &operator=(const MailExchangerCheck &) = delete;

    // Empty when the resolver started, else why it did not.
    QString errorString() const;

    // A stop ends this caller's wait with not checked; a lookup others share runs on.
    QCoro::Task<MailServerStatus> check(QString domain, StopToken stop = {});
    // Forgets finished results; lookups in flight keep their waiters.
    void clear();

private:
    struct Entry {
        std::optional<MailServerStatus> status;
        std::vector<Completion<MailServerStatus>> waiters;
        // The query in flight, so the destructor can end its lookup.
        std::optional<Completion<DnsAnswer>> query;
    };

    QCoro::Task<> Lookup(QString domain, QByteArray asciiName, std::shared_ptr<const bool> alive);
    void Finish(const QString &domain, MailServerStatus status);

    std::unique_ptr<AresChannel> m_channel;
    std::chrono::milliseconds m_bound;
    std::unordered_map<QString, Entry> m_entries;
    // False from the start of the destructor: lookups resumed after it leave this object alone.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
