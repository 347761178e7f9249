#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// Writes JSON in the pretty-printed shape of Google's web-service replies: three blanks of
// indent per level, " : " between name and value, string arrays on one line ("[ "a", "b" ]"),
// "<" and ">" in strings as \u003c and \u003e. The program cuts some replies as text, so the
// blanks matter. An empty name adds an element to the enclosing array.
class JsonWriter {
public:
    JsonWriter();

    JsonWriter &beginObject(QStringView name = {});
    JsonWriter &endObject();
    JsonWriter &beginArray(QStringView name);
    JsonWriter &endArray();
    JsonWriter &string(QStringView name, const QString &value);
    // A number written as given, e.g. "48.8625".
    JsonWriter &number(QStringView name, const QString &literal);
    JsonWriter &strings(QStringView name, const QStringList &values);

    // The text so far, closed with a line break once every object is ended.
    QString text() const;

private:
    void BeginMember(QStringView name);
    void CloseLevel(QChar bracket);
    QString Indent() const;

    QString m_text;
    std::vector<bool> m_levelHasMembers;
};

// A JSON string literal, quotes included, escaped as the Google replies escape.
QString JsonQuoted(const QString &value);
