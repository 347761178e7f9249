#include "core/export/exporttarget.h"

#include <QFileInfo>

QString ExportFileFilter() {
    return QStringLiteral("CSV files (*.csv)|*.csv|Excel workbook (*.xlsx)|*.xlsx");
}

ExportFormat ExportFormatOfFilter(int filterIndex) {
    return filterIndex == 1 ? ExportFormat::Xlsx : ExportFormat::Csv;
}

ExportTarget ChooseExportTarget(const QString &path, int filterIndex) {
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(u"xlsx", Qt::CaseInsensitive) == 0) {
        return {path, ExportFormat::Xlsx};
    }
    if (suffix.compare(u"csv", Qt::CaseInsensitive) == 0) {
        return {path, ExportFormat::Csv};
    }
    const ExportFormat format = ExportFormatOfFilter(filterIndex);
    if (!suffix.isEmpty() || path.endsWith(u'/')) {
        return {path, format};
    }
    const QString extension = format == ExportFormat::Xlsx ? QStringLiteral(".xlsx") : QStringLiteral(".csv");
    // "name." has an empty suffix too: it keeps its dot and gets no second one.
    return {path.endsWith(u'.') ? path + extension.mid(1) : path + extension, format};
}
