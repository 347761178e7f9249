#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Reads a stored boolean: a decimal number (true when not zero; surrounding blanks allowed,
// the user's decimal separator, an optional exponent) or "True" / "False" in any letter case.
// Anything else, the empty text included, gives nothing.
std::optional<bool> ParseBooleanText(QStringView text, QStringView decimalSeparator);
// The same with the decimal separator of the user's locale.
std::optional<bool> ParseBooleanText(QStringView text);

// How a boolean is stored: "-1" for true, "0" for false.
QString BooleanText(bool value);
