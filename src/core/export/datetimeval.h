#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// A run's start time as file-name-safe text: the locale's short date, a blank and its long
// time, with every ":" and "/" replaced by "-".
QString MakeDateTimeVal(const QDateTime &moment, const QLocale &locale = QLocale::system());
