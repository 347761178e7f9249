#include "core/dns/mailexchangercheck.h"

#include "core/dns/areschannel.h"

#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <ares.h>
#include <cstring>
#include <netdb.h>
#include <utility>

namespace {

constexpr int TypeA = 1;
constexpr int TypeMx = 15;
constexpr int TypeAaaa = 28;

const unsigned char *ReplyData(const DnsAnswer &answer) {
    return reinterpret_cast<const unsigned char *>(answer.reply.constData());
}

// What the MX answer decides; nothing when the address queries must tell.
std::optional<MailServerStatus> JudgeMx(const DnsAnswer &answer) {
    if (answer.status == ARES_ENOTFOUND) {
        return MailServerStatus::NoMailServer;
    }
    if (answer.status == ARES_ENODATA) {
        return std::nullopt;
    }
    if (answer.status != ARES_SUCCESS) {
        return MailServerStatus::NotChecked;
    }
    ares_mx_reply *records = nullptr;
    const int parsed = ares_parse_mx_reply(ReplyData(answer), static_cast<int>(answer.reply.size()), &records);
    // An answer of other records only (a CNAME whose target has no MX) holds no MX.
    if (parsed == ARES_ENODATA) {
        return std::nullopt;
    }
    if (parsed != ARES_SUCCESS) {
        return MailServerStatus::NotChecked;
    }
    bool exchanger = false;
    for (const ares_mx_reply *record = records; record != nullptr; record = record->next) {
        // A null MX (the root as exchanger) says the domain takes no mail.
        exchanger = exchanger || (record->host != nullptr && std::strcmp(record->host, "") != 0 &&
                                  std::strcmp(record->host, ".") != 0);
    }
    ares_free_data(records);
    return exchanger ? MailServerStatus::HasMx : MailServerStatus::NoMailServer;
}

// What an A or AAAA answer decides; the last query decides in any case.
std::optional<MailServerStatus> JudgeAddress(const DnsAnswer &answer, int type, bool last) {
    const std::optional<MailServerStatus> none =
        last ? std::optional<MailServerStatus>(MailServerStatus::NoMailServer) : std::nullopt;
    if (answer.status == ARES_ENOTFOUND) {
        return MailServerStatus::NoMailServer;
    }
    if (answer.status == ARES_ENODATA) {
        return none;
    }
    if (answer.status != ARES_SUCCESS) {
        return MailServerStatus::NotChecked;
    }
    hostent *host = nullptr;
    const int size = static_cast<int>(answer.reply.size());
    const int parsed = type == TypeA ? ares_parse_a_reply(ReplyData(answer), size, &host, nullptr, nullptr)
                                     : ares_parse_aaaa_reply(ReplyData(answer), size, &host, nullptr, nullptr);
    const bool address =
        parsed == ARES_SUCCESS && host != nullptr && host->h_addr_list != nullptr && host->h_addr_list[0] != nullptr;
    if (host != nullptr) {
        ares_free_hostent(host);
    }
    if (address) {
        return MailServerStatus::NoMxAFallback;
    }
    return parsed == ARES_SUCCESS || parsed == ARES_ENODATA ? none : MailServerStatus::NotChecked;
}

std::optional<MailServerStatus> Judge(int type, const DnsAnswer &answer) {
    return type == TypeMx ? JudgeMx(answer) : JudgeAddress(answer, type, type == TypeAaaa);
}

// Domains differ only in letter case and a final dot.
QString DomainKey(const QString &domain) {
    QString key = domain.trimmed().toLower();
    if (key.endsWith(u'.')) {
        key.chop(1);
    }
    return key;
}

} // namespace

MailExchangerCheck::MailExchangerCheck(const QString &servers, std::chrono::milliseconds bound)
    // c-ares asks each server twice, the second time waiting twice as long: with one server both
    // fit the bound, so a lost datagram is asked again. The lookup's deadline holds the bound for
    // more servers and for the queries after the first.
    : m_channel(std::make_unique<AresChannel>(servers, static_cast<int>(bound.count() / 3))), m_bound(bound) {}

MailExchangerCheck::~MailExchangerCheck() {
    *m_alive = false;
    std::vector<Completion<MailServerStatus>> waiters;
    std::vector<Completion<DnsAnswer>> queries;
    for (auto &[domain, entry] : m_entries) {
        std::move(entry.waiters.begin(), entry.waiters.end(), std::back_inserter(waiters));
        entry.waiters.clear();
        if (entry.query) {
            queries.push_back(*entry.query);
        }
    }
    // Lookups end first, seeing this object gone; then callers resume, and a caller that asks
    // again is answered at once.
    for (const Completion<DnsAnswer> &query : queries) {
        query.resolve(DnsAnswer{ARES_EDESTRUCTION, {}});
    }
    for (const Completion<MailServerStatus> &waiter : waiters) {
        waiter.resolve(MailServerStatus::NotChecked);
    }
}

QString MailExchangerCheck::errorString() const {
    return m_channel->errorString();
}

QCoro::Task<MailServerStatus> MailExchangerCheck::check(QString domain, StopToken stop) {
    const QString key = DomainKey(domain);
    if (stop.requested() || !*m_alive) {
        co_return MailServerStatus::NotChecked;
    }
    // A known answer costs a look into the cache alone: every address of a run asks.
    const auto known = m_entries.find(key);
    if (known != m_entries.end() && known->second.status) {
        co_return *known->second.status;
    }
    const QByteArray asciiName = QUrl::toAce(key);
    if (asciiName.isEmpty()) {
        co_return MailServerStatus::NotChecked;
    }
    Entry &entry = m_entries[key];
    Completion<MailServerStatus> mine;
    entry.waiters.push_back(mine);
    if (!entry.query) {
        // Runs up to its first wait, or to its end when the resolver could not start.
        Lookup(key, asciiName, m_alive);
    }
    const StopCallback onStop(stop, [mine] { mine.resolve(MailServerStatus::NotChecked); });
    const MailServerStatus status = co_await mine;
    co_return status;
}

void MailExchangerCheck::clear() {
    std::erase_if(m_entries, [](const auto &item) { return item.second.status.has_value(); });
}

QCoro::Task<> MailExchangerCheck::Lookup(QString domain, QByteArray asciiName, std::shared_ptr<const bool> alive) {
    Completion<DnsAnswer> current;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&current] { current.resolve(DnsAnswer{ARES_ETIMEOUT, {}}); });
    deadline.start(m_bound);
    std::optional<MailServerStatus> status;
    for (const int type : {TypeMx, TypeA, TypeAaaa}) {
        current = Completion<DnsAnswer>();
        m_entries[domain].query = current;
        m_channel->Query(asciiName, type, current);
        const DnsAnswer answer = co_await current;
        if (!*alive) {
            co_return;
        }
        status = Judge(type, answer);
        if (status) {
            break;
        }
    }
    Finish(domain, status.value_or(MailServerStatus::NoMailServer));
}

void MailExchangerCheck::Finish(const QString &domain, MailServerStatus status) {
    Entry &entry = m_entries[domain];
    entry.status = status;
    entry.query.reset();
    const std::vector<Completion<MailServerStatus>> waiters = std::exchange(entry.waiters, {});
    // A resumed caller may ask again or destroy this object: nothing of it is touched after.
    for (const Completion<MailServerStatus> &waiter : waiters) {
        waiter.resolve(status);
    }
}
