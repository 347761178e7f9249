#pragma once

#include <QString>

// True when a LinkedIn reply is the sign-in wall instead of the page asked for: its final address
// (after redirects, any host) has a path under /authwall, /login or /uas/login, or the status is 999.
bool IsSignInWall(const QString &effectiveUrl, long httpStatus);
