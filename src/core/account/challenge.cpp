#include "core/account/challenge.h"

#include "core/enrichment/signinwall.h"
#include "core/net/fetchresult.h"

#include <QUrl>

Challenge ChallengeOfAddress(const QString &address) {
    if (QUrl(address).path().startsWith(u"/checkpoint/", Qt::CaseInsensitive)) {
        return Challenge::SecurityCheck;
    }
    // The pages a signed-out member is sent to are the sign-in wall a fetch meets.
    return IsSignInWall(address, 0) ? Challenge::SignedOut : Challenge::None;
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
