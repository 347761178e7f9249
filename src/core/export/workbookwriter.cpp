#include "core/export/workbookwriter.h"

#include "core/export/exportselection.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>
#include <xlsxwriter.h>

namespace {

// A cell holds at most this many bytes of text; longer text is cut at a character boundary.
constexpr qsizetype MaxCellBytes = 32767;
constexpr int MinColumnWidth = 8;
// Room for the autofilter's button beside the header text.
constexpr int FilterButtonWidth = 3;

ExportResult Failure(const QString &path, const QString &reason) {
    return ExportResult::failure(QStringLiteral("Cannot write %1: %2").arg(path, reason));
}

ExportResult Failure(const QString &path, lxw_error error) {
    return Failure(path, QString::fromUtf8(lxw_strerror(error)));
}

QByteArrayView CellView(QByteArrayView text) {
    if (text.size() <= MaxCellBytes) {
        return text;
    }
    qsizetype end = MaxCellBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return text.first(end);
}

// Characters, not bytes: every byte but a continuation byte starts one.
qsizetype Utf8Length(QByteArrayView text) {
    qsizetype length = 0;
    for (const char c : text) {
        length += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return length;
}

// The rows of a sheet below its header, read twice: for the column widths, then for the cells.
struct SheetRows {
    qsizetype count = 0;
    // A cell's length in characters.
    std::function<qsizetype(qsizetype row, qsizetype column)> length;
    // A cell's text in UTF-8, which may live in scratch; valid until the next call.
    std::function<QByteArrayView(qsizetype row, qsizetype column, QByteArray &scratch)> text;
};

// Closes the workbook on every path; only an explicit close reports how the writing ended.
class WorkbookHandle {
public:
    explicit WorkbookHandle(lxw_workbook *workbook) : m_workbook(workbook) {}
    ~WorkbookHandle() {
        if (m_workbook != nullptr) {
            workbook_close(m_workbook);
        }
    }
    WorkbookHandle(const WorkbookHandle &) = delete;
    WorkbookHandle &operator=(const WorkbookHandle &) = delete;

    lxw_workbook *get() const { return m_workbook; }
    lxw_error close() { return workbook_close(std::exchange(m_workbook, nullptr)); }

private:
    lxw_workbook *m_workbook;
};

// Widths in characters, measured on the text: the longest cell of each column, the header
// with its filter button included.
std::vector<int> ColumnWidths(const QStringList &header, const SheetRows &rows) {
    std::vector<int> widths(static_cast<std::size_t>(header.size()), MinColumnWidth);
    const auto widen = [&](qsizetype column, qsizetype length) {
        int &width = widths[static_cast<std::size_t>(column)];
        width = static_cast<int>(std::clamp<qsizetype>(length + 1, width, MaxWorkbookColumnWidth));
    };
    for (qsizetype column = 0; column < header.size(); ++column) {
        widen(column, header[column].size() + FilterButtonWidth);
    }
    for (qsizetype row = 0; row < rows.count; ++row) {
        for (qsizetype column = 0; column < header.size(); ++column) {
            widen(column, rows.length(row, column));
        }
    }
    return widths;
}

lxw_error WriteCell(lxw_worksheet *sheet, lxw_row_t row, qsizetype column, QByteArrayView text, QByteArray &scratch,
                    lxw_format *format) {
    text = CellView(text);
    if (text.isEmpty()) {
        return LXW_NO_ERROR;
    }
    // The library takes text that ends in a null byte; scratch always does.
    if (text.data() == scratch.constData()) {
        scratch.truncate(text.size());
    } else {
        scratch.truncate(0);
        scratch.append(text.data(), text.size());
    }
    return worksheet_write_string(sheet, row, static_cast<lxw_col_t>(column), scratch.constData(), format);
}

lxw_error WriteSheet(lxw_workbook *workbook, const QStringList &header, const SheetRows &rows) {
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);
    if (sheet == nullptr || header.isEmpty()) {
        return LXW_ERROR_PARAMETER_VALIDATION;
    }
    if (header.size() > LXW_COL_MAX || rows.count >= LXW_ROW_MAX) {
        return LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE;
    }
    const auto lastColumn = static_cast<lxw_col_t>(header.size() - 1);
    // The rows stream to the file as they are written, so the columns come first.
    const std::vector<int> widths = ColumnWidths(header, rows);
    for (lxw_col_t column = 0; column <= lastColumn; ++column) {
        worksheet_set_column(sheet, column, column, widths[column], nullptr);
    }
    worksheet_freeze_panes(sheet, 1, 0);
    worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(rows.count), lastColumn);

    lxw_format *bold = workbook_add_format(workbook);
    format_set_bold(bold);
    QByteArray scratch;
    lxw_error error = LXW_NO_ERROR;
    for (qsizetype column = 0; column < header.size() && error == LXW_NO_ERROR; ++column) {
        scratch = header[column].toUtf8();
        error = WriteCell(sheet, 0, column, scratch, scratch, bold);
    }
    for (qsizetype row = 0; row < rows.count && error == LXW_NO_ERROR; ++row) {
        for (qsizetype column = 0; column < header.size() && error == LXW_NO_ERROR; ++column) {
            const QByteArrayView text = rows.text(row, column, scratch);
            error = WriteCell(sheet, static_cast<lxw_row_t>(row + 1), column, text, scratch, nullptr);
        }
    }
    return error;
}

ExportResult WriteSheetFile(const QString &AFileName, const QStringList &header, const SheetRows &rows) {
    const QFileInfo target(AFileName);
    QTemporaryFile temporary(target.absolutePath() + u"/." + target.fileName() + u".XXXXXX");
    if (!temporary.open()) {
        return Failure(AFileName, temporary.errorString());
    }
    temporary.close();
    temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                             QFileDevice::ReadOther);
    const QByteArray temporaryName = QFile::encodeName(temporary.fileName());

    // Rows stream to the file as they are written, so a large export holds no second copy.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    WorkbookHandle workbook(workbook_new_opt(temporaryName.constData(), &options));
    if (workbook.get() == nullptr) {
        return Failure(AFileName, QStringLiteral("the workbook could not be created"));
    }
    const lxw_error written = WriteSheet(workbook.get(), header, rows);
    const lxw_error closed = workbook.close();
    if (written != LXW_NO_ERROR) {
        return Failure(AFileName, written);
    }
    if (closed != LXW_NO_ERROR) {
        return Failure(AFileName, closed);
    }
    // rename() replaces the target in one step, so readers see the old file or the new one.
    if (std::rename(temporaryName.constData(), QFile::encodeName(AFileName).constData()) != 0) {
        return Failure(AFileName, QString::fromLocal8Bit(std::strerror(errno)));
    }
    temporary.setAutoRemove(false);
    return ExportResult::success();
}

} // namespace

ExportResult WriteWorkbook(const QString &AFileName, const QStringList &header, const QList<QStringList> &rows) {
    SheetRows sheetRows;
    sheetRows.count = rows.size();
    // A row with fewer cells than the header leaves the rest empty.
    sheetRows.length = [&rows](qsizetype row, qsizetype column) {
        return rows[row].value(column).size();
    };
    sheetRows.text = [&rows](qsizetype row, qsizetype column, QByteArray &scratch) {
        scratch = rows[row].value(column).toUtf8();
        return QByteArrayView(scratch);
    };
    return WriteSheetFile(AFileName, header, sheetRows);
}

ExportResult SaveWorkbook(const ExportSource &source, const QString &AFileName, bool All, const QString &exportFields) {
    const ExportSelection selection = SelectForExport(source, AFileName, All, exportFields);
    if (!selection.refusal) {
        return selection.refusal;
    }
    const QList<int> &columns = selection.columns;
    QStringList header;
    for (const int column : columns) {
        header.append(source.captions[column]);
    }
    std::vector<qsizetype> selectedRows;
    for (qsizetype row = 0; row < source.rows.size(); ++row) {
        if (selection.rows[static_cast<std::size_t>(row)]) {
            selectedRows.push_back(row);
        }
    }

    // The rows keep their cells in UTF-8, which the workbook takes as it is: a row is read once
    // for all its cells, and no cell is decoded (but one kept as UTF-16 units).
    qsizetype readRow = -1;
    std::array<QByteArrayView, LeadRow::ColumnCount> cells;
    const auto cell = [&](qsizetype row, qsizetype column) {
        const qsizetype listRow = selectedRows[static_cast<std::size_t>(row)];
        if (listRow != readRow) {
            cells = source.rows.utf8Cells(listRow);
            readRow = listRow;
        }
        return cells[static_cast<std::size_t>(columns[column])];
    };
    SheetRows sheetRows;
    sheetRows.count = static_cast<qsizetype>(selectedRows.size());
    sheetRows.length = [&](qsizetype row, qsizetype column) {
        const QByteArrayView text = cell(row, column);
        return text.isNull() ? source.rows.cell(selectedRows[static_cast<std::size_t>(row)], columns[column]).size()
                             : Utf8Length(text);
    };
    sheetRows.text = [&](qsizetype row, qsizetype column, QByteArray &scratch) {
        const QByteArrayView text = cell(row, column);
        if (!text.isNull()) {
            return text;
        }
        scratch = source.rows.cell(selectedRows[static_cast<std::size_t>(row)], columns[column]).toUtf8();
        return QByteArrayView(scratch);
    };
    return WriteSheetFile(AFileName, header, sheetRows);
}
