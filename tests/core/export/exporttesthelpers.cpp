#include "exporttesthelpers.h"

#include "core/util/codepage.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

Windows1252Scope::Windows1252Scope() {
    CodePage::setCurrent(CodePage::named("windows-1252"));
}

Windows1252Scope::~Windows1252Scope() {
    CodePage::resetCurrent();
}

LeadRow NumberedRow(int row) {
    LeadRow lead;
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        lead[column] = QStringLiteral("r%1c%2").arg(row).arg(column);
    }
    return lead;
}

QStringList NumberedCells(int row) {
    const LeadRow lead = NumberedRow(row);
    return QStringList(lead.cells.cbegin(), lead.cells.cend());
}

QStringList CaptionList() {
    const auto &captions = DefaultColumnCaptions();
    return QStringList(captions.cbegin(), captions.cend());
}

QByteArray QuotedLine(const QStringList &fields, const QByteArray &delimiter) {
    QByteArray line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += delimiter;
        }
        line += '"' + fields[i].toLatin1() + '"';
    }
    return line + "\r\n";
}

QByteArray ReadFileBytes(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

PythonRecords ReadWithPython(const QString &path, const QString &delimiter) {
    PythonRecords result;
    const QString script = qEnvironmentVariable("TARNWICK_TEST_DATA") + QStringLiteral("/export/readcsv.py");
    QProcess python;
    python.start(QStringLiteral("python3"), {script, path, delimiter, QStringLiteral("cp1252")});
    if (!python.waitForFinished(60000) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
        result.error = QStringLiteral("python3 failed: ") + QString::fromUtf8(python.readAllStandardError()) +
                       python.errorString();
        return result;
    }
    const QJsonArray records = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    for (const QJsonValue &record : records) {
        QStringList fields;
        for (const QJsonValue &field : record.toArray()) {
            fields.append(field.toString());
        }
        result.records.append(fields);
    }
    result.ok = true;
    return result;
}
