#pragma once

#include <QString>
#include <QStringList>

// The addresses a page hides from a plain pattern scan: Cloudflare's protected ones, the targets
// of mailto: links and those written with a bracketed "at". In page order, each passing
// IsAcceptableAddress(), no two equal regardless of letter case.
QStringList FindHiddenAddresses(const QString &page);
