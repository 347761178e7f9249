#include "samplesite/jsonwriter.h"

JsonWriter::JsonWriter() = default;

QString JsonQuoted(const QString &value) {
    QString quoted = QStringLiteral("\"");
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '"':
            quoted += u"\\\"";
            break;
        case '\\':
            quoted += u"\\\\";
            break;
        case '<':
            quoted += u"\\u003c";
            break;
        case '>':
            quoted += u"\\u003e";
            break;
        default:
            if (c.unicode() < 0x20) {
                quoted += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            } else {
                quoted += c;
            }
        }
    }
    return quoted + u'"';
}

QString JsonWriter::Indent() const {
    return QString(3 * static_cast<qsizetype>(m_levelHasMembers.size()), u' ');
}

void JsonWriter::BeginMember(QStringView name) {
    if (!m_levelHasMembers.empty()) {
        if (m_levelHasMembers.back()) {
            m_text += u',';
        }
        m_levelHasMembers.back() = true;
        m_text += u'\n' + Indent();
    }
    if (!name.isEmpty()) {
        m_text += JsonQuoted(name.toString()) + u" : ";
    }
}

void JsonWriter::CloseLevel(QChar bracket) {
    const bool hadMembers = m_levelHasMembers.back();
    m_levelHasMembers.pop_back();
    if (hadMembers) {
        m_text += u'\n' + Indent();
    }
    m_text += bracket;
}

JsonWriter &JsonWriter::beginObject(QStringView name) {
    BeginMember(name);
    m_text += u'{';
    m_levelHasMembers.push_back(false);
    return *this;
}

JsonWriter &JsonWriter::endObject() {
    CloseLevel(u'}');
    return *this;
}

JsonWriter &JsonWriter::beginArray(QStringView name) {
    BeginMember(name);
    m_text += u'[';
    m_levelHasMembers.push_back(false);
    return *this;
}

JsonWriter &JsonWriter::endArray() {
    CloseLevel(u']');
    return *this;
}

JsonWriter &JsonWriter::string(QStringView name, const QString &value) {
    BeginMember(name);
    m_text += JsonQuoted(value);
    return *this;
}

JsonWriter &JsonWriter::number(QStringView name, const QString &literal) {
    BeginMember(name);
    m_text += literal;
    return *this;
}

JsonWriter &JsonWriter::strings(QStringView name, const QStringList &values) {
    BeginMember(name);
    if (values.isEmpty()) {
        m_text += u"[]";
        return *this;
    }
    QStringList quoted;
    for (const QString &value : values) {
        quoted.append(JsonQuoted(value));
    }
    m_text += u"[ " + quoted.join(u", ") + u" ]";
    return *this;
}

QString JsonWriter::text() const {
    return m_levelHasMembers.empty() ? m_text + u'\n' : m_text;
}
