#pragma once

#include <QString>
#include <QStringView>

struct FetchResult;

// What LinkedIn answers when it will serve the member no further for now. A run that meets one
// stops and says what to do; asking again at once would only make it worse.
enum class Challenge {
    None,
    SignedOut,          // a sign-in page: the member was signed out
    SecurityCheck,      // "/checkpoint/": the member must pass a check
    TooManyRequests,    // status 429
    CommercialUseLimit, // searching is over for the month
};

// A page shown at this address (the pane, or the hidden page of the member's session).
Challenge ChallengeOfAddress(const QString &address);
// A reply to a fetch of a LinkedIn page. Its sign-in wall is no challenge: the member's own
// session may still read the page.
Challenge ChallengeOfReply(const FetchResult &reply);
// True when the text says the commercial use limit is reached.
bool SaysCommercialUseLimit(QStringView text);

// The language entry that tells the user what happened and what to do.
QString ChallengeMessageTag(Challenge challenge);
