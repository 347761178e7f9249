#include "core/account/challenge.h"

#include "core/net/fetchresult.h"

#include <QUrl>

namespace {

bool PathStartsWith(const QString &path, QStringView prefix) {
    // "/login" must not match "/loginsomething-else" but must match "/login" and "/login/...".
    if (!path.startsWith(prefix, Qt::CaseInsensitive)) {
        return false;
    }
    return path.size() == prefix.size() || path.at(prefix.size()) == u'/' || path.at(prefix.size()) == u'?' ||
           prefix.endsWith(u'/');
}

} // namespace

Challenge ChallengeOfAddress(const QString &address) {
    const QString path = QUrl(address).path();
    if (PathStartsWith(path, u"/checkpoint/")) {
        return Challenge::SecurityCheck;
    }
    for (const QStringView signIn : {QStringView(u"/authwall"), QStringView(u"/login"), QStringView(u"/uas/login")}) {
        if (PathStartsWith(path, signIn)) {
            return Challenge::SignedOut;
        }
    }
    return Challenge::None;
}

Challenge ChallengeOfReply(const FetchResult &reply) {
    if (reply.httpStatus == 429) {
        return Challenge::TooManyRequests;
    }
    if (ChallengeOfAddress(reply.effectiveUrl) == Challenge::SecurityCheck) {
        return Challenge::SecurityCheck;
    }
    if (reply.ok() && SaysCommercialUseLimit(reply.text)) {
        return Challenge::CommercialUseLimit;
    }
    return Challenge::None;
}

bool SaysCommercialUseLimit(QStringView text) {
    return text.contains(u"commercial use limit", Qt::CaseInsensitive);
}

QString ChallengeMessageTag(Challenge challenge) {
    switch (challenge) {
    case Challenge::SignedOut:
        return QStringLiteral("main200");
    case Challenge::SecurityCheck:
        return QStringLiteral("main201");
    case Challenge::TooManyRequests:
        return QStringLiteral("main202");
    case Challenge::CommercialUseLimit:
        return QStringLiteral("main203");
    case Challenge::None:
        break;
    }
    return {};
}
