#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The message and status texts of the program, one per language-file tag ("main45" ...).
// Every entry is empty until a language file has been applied.
class UiTexts {
public:
    QString text(const QString &tag) const { return m_texts.value(tag); }
    void setText(const QString &tag, const QString &text) { m_texts.insert(tag, text); }

    // The entry with every "[VAR1]" replaced by value.
    QString format(const QString &tag, const QString &value) const {
        return text(tag).replace(QStringLiteral("[VAR1]"), value);
    }
    QString format(const QString &tag, qint64 value) const { return format(tag, QString::number(value)); }
    // The entry with every "[VAR1]" replaced by the first value, "[VAR2]" by the second, and so on.
    QString format(const QString &tag, const QStringList &values) const {
        QString result = text(tag);
        for (qsizetype i = 0; i < values.size(); ++i) {
            result.replace(QStringLiteral("[VAR%1]").arg(i + 1), values.at(i));
        }
        return result;
    }

private:
    QHash<QString, QString> m_texts;
};
