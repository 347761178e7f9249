#include "core/updates/updatefile.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

std::optional<QString> NewestVersionText(const QString &updateFile) {
    // Not a regular expression: it matches nothing in a text with a lone surrogate.
    QString text = updateFile;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    // A line end after the last line starts no further line.
    if (!lines.isEmpty() && lines.constLast().isEmpty()) {
        lines.removeLast();
    }
    if (lines.size() < 3) {
        return std::nullopt;
    }
    QString version = lines.at(2);
    const qsizetype key = version.indexOf(u"Version=");
    if (key >= 0) {
        version.remove(key, 8);
    }
    return version;
}

double VersionNumber(const QString &text) {
    // Only a plain decimal: the C locale also takes group separators ("3,130" as 3130),
    // exponents, "inf" and "nan", and an infinite version would count as newer than any.
    static const QRegularExpression plainDecimal(
        QRegularExpression::anchoredPattern(QStringLiteral("[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)")));
    const QString trimmed = text.trimmed();
    if (!plainDecimal.match(trimmed).hasMatch()) {
        return 0.0;
    }
    bool ok = false;
    const double number = QLocale::c().toDouble(trimmed, &ok);
    return ok ? number : 0.0;
}

bool IsNewerVersion(const QString &newest, const QString &running) {
    return VersionNumber(running) < VersionNumber(newest);
}
