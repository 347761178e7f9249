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
    // The entry with every "[VAR1]" replaced by values[0], "[VAR2]" by values[1] and so on up to
    // "[VAR9]", in one pass: a value that itself holds a placeholder stays as it is.
    QString format(const QString &tag, const QStringList &values) const;

private:
    QHash<QString, QString> m_texts;
};
