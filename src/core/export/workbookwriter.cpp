#include "core/export/workbookwriter.h"

#include "core/export/exportselection.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
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

QByteArray CellBytes(const QString &text) {
    QByteArray bytes = text.toUtf8();
    if (bytes.size() > MaxCellBytes) {
        qsizetype end = MaxCellBytes;
        while (end > 0 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80) {
            --end;
        }
        bytes.truncate(end);
    }
    return bytes;
}

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
std::vector<int> ColumnWidths(const QStringList &header, const QList<QStringList> &rows) {
    std::vector<int> widths(static_cast<std::size_t>(header.size()), MinColumnWidth);
    const auto widen = [&](qsizetype column, qsizetype length) {
        int &width = widths[static_cast<std::size_t>(column)];
        width = static_cast<int>(std::clamp<qsizetype>(length + 1, width, MaxWorkbookColumnWidth));
    };
    for (qsizetype column = 0; column < header.size(); ++column) {
        widen(column, header[column].size() + FilterButtonWidth);
    }
    for (const QStringList &row : rows) {
        const qsizetype cells = std::min(row.size(), header.size());
        for (qsizetype column = 0; column < cells; ++column) {
            widen(column, row[column].size());
        }
    }
    return widths;
}

lxw_error WriteRow(lxw_worksheet *sheet, lxw_row_t row, const QStringList &cells, qsizetype columns,
                   lxw_format *format) {
    for (qsizetype column = 0; column < std::min(cells.size(), columns); ++column) {
        if (cells[column].isEmpty()) {
            continue;
        }
        const lxw_error error = worksheet_write_string(sheet, row, static_cast<lxw_col_t>(column),
                                                       CellBytes(cells[column]).constData(), format);
        if (error != LXW_NO_ERROR) {
            return error;
        }
    }
    return LXW_NO_ERROR;
}

lxw_error WriteSheet(lxw_workbook *workbook, const QStringList &header, const QList<QStringList> &rows) {
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);
    if (sheet == nullptr || header.isEmpty()) {
        return LXW_ERROR_PARAMETER_VALIDATION;
    }
    if (header.size() > LXW_COL_MAX || rows.size() >= LXW_ROW_MAX) {
        return LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE;
    }
    const auto lastColumn = static_cast<lxw_col_t>(header.size() - 1);
    const std::vector<int> widths = ColumnWidths(header, rows);
    for (lxw_col_t column = 0; column <= lastColumn; ++column) {
        worksheet_set_column(sheet, column, column, widths[column], nullptr);
    }
    worksheet_freeze_panes(sheet, 1, 0);
    worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(rows.size()), lastColumn);

    lxw_format *bold = workbook_add_format(workbook);
    format_set_bold(bold);
    lxw_error error = WriteRow(sheet, 0, header, header.size(), bold);
    for (qsizetype row = 0; row < rows.size() && error == LXW_NO_ERROR; ++row) {
        error = WriteRow(sheet, static_cast<lxw_row_t>(row + 1), rows[row], header.size(), nullptr);
    }
    return error;
}

} // namespace

ExportResult WriteWorkbook(const QString &AFileName, const QStringList &header, const QList<QStringList> &rows) {
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

ExportResult SaveWorkbook(const ExportSource &source, const QString &AFileName, bool All, const QString &exportFields) {
    const ExportSelection selection = SelectForExport(source, AFileName, All, exportFields);
    if (!selection.refusal) {
        return selection.refusal;
    }
    const QList<int> &columns = selection.columns;
    const std::vector<bool> &selected = selection.rows;

    QStringList header;
    for (const int column : columns) {
        header.append(source.captions[column]);
    }
    QList<QStringList> rows;
    for (qsizetype row = 0; row < source.rows.size(); ++row) {
        if (!selected[static_cast<std::size_t>(row)]) {
            continue;
        }
        QStringList cells;
        cells.reserve(columns.size());
        for (const int column : columns) {
            cells.append(source.rows.cell(row, column));
        }
        rows.append(std::move(cells));
    }
    return WriteWorkbook(AFileName, header, rows);
}
