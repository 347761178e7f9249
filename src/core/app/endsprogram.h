#pragma once

#include <QString>

// The application-wide rule: an uncaught error whose message contains "Access" (exact case)
// ends the program in order; every other one is dropped and the program carries on.
inline bool EndsProgram(const QString &message) {
    return message.contains(QStringLiteral("Access"), Qt::CaseSensitive);
}
