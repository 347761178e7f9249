#pragma once

#include <QString>

#include <stdexcept>

// An error that is not handled where it happens and travels to the application-wide handler.
// Core code returns errors as values; only the few places that hand an error on to that
// handler throw this.
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// The application-wide rule: an uncaught error whose message contains "Access" (exact case)
// ends the program in order; every other one is dropped and the program carries on.
inline bool EndsProgram(const QString &message) {
    return message.contains(QStringLiteral("Access"), Qt::CaseSensitive);
}
