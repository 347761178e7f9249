#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Reads text the way Python's csv module does with its default dialect and strict=True: fields
// split at the delimiter, a field opened by a double quote runs to the closing one (a doubled
// quote stands for one, line breaks included), a line break outside quotes ends the record.
// Nothing for text Python would reject: a quote that closes and is not followed by the
// delimiter or a line end, or a quoted field left open at the end.
std::optional<QList<QStringList>> ReadCsvRecords(QStringView text, QChar delimiter);
