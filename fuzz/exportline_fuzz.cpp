// The export line: a line built from any cells, with "," or ";" between them, reads back as
// one record holding exactly those cells under the csv rules spreadsheets and Python follow.
#include "core/export/exportline.h"
#include "core/model/leadrow.h"
#include "csvreader.h"
#include "fuzzcheck.h"
#include "fuzztext.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

void CheckReadsBack(const QString &line, QChar delimiter, const QStringList &cells) {
    const std::optional<QList<QStringList>> records = ReadCsvRecords(line, delimiter);
    FuzzCheck(records.has_value(), "an export line is valid csv", [&]() -> QString { return Shown(line); });
    FuzzCheck(
        records->size() == 1 && records->front() == cells, "an export line reads back as its cells",
        [&]() -> QString { return Shown(line) + QStringLiteral(" from ") + Shown(cells.join(QStringLiteral("|"))); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const QChar delimiter = input.ConsumeBool() ? u';' : u',';
    QStringList cells;
    const int count = input.ConsumeIntegralInRange(1, 24);
    for (int i = 0; i < count; ++i) {
        cells.append(TrickyText(input, 64));
    }
    CheckReadsBack(ExportLine(cells, QStringView(&delimiter, 1)), delimiter, cells);

    LeadRow row;
    QStringList rowCells;
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        row[column] = cells.value(column);
        rowCells.append(row[column]);
    }
    CheckReadsBack(ExportLine(row, QStringView(&delimiter, 1)), delimiter, rowCells);
    return 0;
}
