#include "core/library/cellfunctions.h"

#include "core/library/cellblob.h"

#include <sqlite3.h>

namespace {

QByteArrayView BlobArgument(sqlite3_value *value) {
    return QByteArrayView(static_cast<const char *>(sqlite3_value_blob(value)), sqlite3_value_bytes(value));
}

void LeadCell(sqlite3_context *context, int, sqlite3_value **arguments) {
    const std::vector<QByteArrayView> cells = CellSlices(BlobArgument(arguments[0]));
    const sqlite3_int64 column = sqlite3_value_int64(arguments[1]);
    const QByteArrayView cell =
        column >= 0 && column < sqlite3_int64(cells.size()) ? cells[std::size_t(column)] : QByteArrayView();
    sqlite3_result_text(context, cell.isEmpty() ? "" : cell.data(), int(cell.size()), SQLITE_TRANSIENT);
}

void MergeCellsFunction(sqlite3_context *context, int, sqlite3_value **arguments) {
    const QByteArray merged = MergeCells(BlobArgument(arguments[0]), BlobArgument(arguments[1]));
    sqlite3_result_blob(context, merged.constData(), int(merged.size()), SQLITE_TRANSIENT);
}

} // namespace

bool RegisterCellFunctions(sqlite3 *db) {
    // Innocuous: the schema's triggers call them, whatever trusted_schema says.
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    return sqlite3_create_function_v2(db, "lead_cell", 2, flags, nullptr, &LeadCell, nullptr, nullptr, nullptr) ==
               SQLITE_OK &&
           sqlite3_create_function_v2(db, "merge_cells", 2, flags, nullptr, &MergeCellsFunction, nullptr, nullptr,
                                      nullptr) == SQLITE_OK;
}
