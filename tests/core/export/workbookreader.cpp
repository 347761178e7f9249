#include "workbookreader.h"

#include <QProcess>
#include <QXmlStreamReader>

namespace {

QByteArray Unzip(const QString &path, const QString &member, QString &error) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, member});
    if (!unzip.waitForFinished() || unzip.exitCode() != 0) {
        error =
            QStringLiteral("unzip %1 %2 failed: %3").arg(path, member, QString::fromUtf8(unzip.readAllStandardError()));
    }
    return unzip.readAllStandardOutput();
}

} // namespace

SheetContent ReadFirstSheet(const QString &path) {
    SheetContent sheet;
    QStringList shared;
    QString ignored; // a workbook of inline strings has no shared strings
    QXmlStreamReader strings(Unzip(path, QStringLiteral("xl/sharedStrings.xml"), ignored));
    while (!strings.atEnd()) {
        if (strings.readNext() == QXmlStreamReader::StartElement && strings.name() == u"si") {
            shared.append(strings.readElementText(QXmlStreamReader::IncludeChildElements));
        }
    }
    QXmlStreamReader xml(Unzip(path, QStringLiteral("xl/worksheets/sheet1.xml"), sheet.error));
    QString type;
    int column = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const auto attribute = [&xml](const char16_t *name) {
            return xml.attributes().value(QString::fromUtf16(name)).toString();
        };
        if (xml.name() == u"pane") {
            sheet.frozenPane = attribute(u"state") + u' ' + attribute(u"ySplit");
        } else if (xml.name() == u"autoFilter") {
            sheet.autoFilter = attribute(u"ref");
        } else if (xml.name() == u"row") {
            sheet.rows.append(QStringList());
        } else if (xml.name() == u"c") {
            type = attribute(u"t");
            column = attribute(u"r").front().unicode() - u'A'; // the sheets here stay within A to Z
            sheet.everyCellText = sheet.everyCellText && (type == u"s" || type == u"inlineStr");
        } else if (xml.name() == u"f") {
            sheet.everyCellText = false;
        } else if ((xml.name() == u"v" || xml.name() == u"is") && !sheet.rows.isEmpty()) {
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            QStringList &row = sheet.rows.last();
            while (row.size() <= column) {
                row.append(QString());
            }
            row[column] = type == u"s" ? shared.value(text.toInt()) : text;
        }
    }
    if (xml.hasError() && sheet.error.isEmpty()) {
        sheet.error = xml.errorString();
    }
    return sheet;
}
