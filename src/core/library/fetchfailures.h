#pragma once

#include <QString>

// Which parts of a row could not be fetched, as the library keeps them in an entry's failure:
// the parts' names joined by ", ", then ": " and the last reason when there is one, such as
// "company page, website: 127.0.0.1:8080 connection refused". Empty when nothing failed.
struct FetchFailures {
    bool companyPage = false;
    bool places = false;
    bool website = false;
    QString reason; // the host and why of the last failure, as the run line shows it

    bool any() const { return companyPage || places || website; }
};

QString FailureText(const FetchFailures &failures);
// Reads what FailureText wrote; a text it did not write reads as nothing failed.
FetchFailures ParseFailureText(const QString &text);
