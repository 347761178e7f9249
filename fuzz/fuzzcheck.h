#pragma once

#include <QString>

#include <cstdio>
#include <cstdlib>

// A property that does not hold stops the run: libFuzzer then keeps the input as a crash.
// The detail is cut short, so a failure on a large page still prints a readable report.
[[noreturn]] inline void FuzzFail(const char *property, const QString &detail = {}) {
    constexpr qsizetype maxDetail = 600;
    const QString shown = detail.size() > maxDetail ? detail.left(maxDetail) + QStringLiteral("...") : detail;
    std::fprintf(stderr, "\nProperty failed: %s\n%s\n", property, shown.toUtf8().constData());
    std::abort();
}

inline void FuzzCheck(bool holds, const char *property) {
    if (!holds) {
        FuzzFail(property);
    }
}

// detail() builds the report only when the property fails; the checks run millions of times.
template<typename Detail>
inline void FuzzCheck(bool holds, const char *property, Detail &&detail) {
    if (!holds) {
        FuzzFail(property, detail());
    }
}

// A text shown in a failure report: quoted, with control characters and non-ASCII ones escaped.
inline QString Shown(QStringView text) {
    QString shown = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c.unicode() >= 32 && c.unicode() < 127) {
            shown += c;
        } else {
            shown += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        }
    }
    return shown + u'"';
}
