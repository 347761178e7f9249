#pragma once

#include "core/net/fetchresult.h"

#include <QString>

class UiTexts;

// What a failed fetch tells the user: the server's host and the reason, in the user's language
// where the failure is one the user must act on (a certificate, the certificate file, a redirect
// to plain http), else libcurl's own words.
QString FailureText(const QString &url, const FetchResult &result, const UiTexts &texts);

// True for the failures the status bar names as they happen.
bool MustBeShown(const FetchResult &result);
