#include "csvreader.h"

namespace {

enum class State { StartRecord, StartField, InField, InQuotedField, QuoteInQuotedField, AfterCr };

bool IsLineBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

} // namespace

std::optional<QList<QStringList>> ReadCsvRecords(QStringView text, QChar delimiter) {
    QList<QStringList> records;
    QStringList record;
    QString field;
    State state = State::StartRecord;
    const auto endField = [&] {
        record.append(field);
        field.clear();
    };
    // CR LF, CR and LF each end one line.
    const auto lineEnd = [](QChar c) {
        return c == u'\r' ? State::AfterCr : State::StartRecord;
    };
    const auto endRecord = [&](QChar c) {
        endField();
        records.append(record);
        record.clear();
        state = lineEnd(c);
    };
    for (const QChar c : text) {
        if (state == State::AfterCr) {
            state = State::StartRecord;
            if (c == u'\n') {
                continue;
            }
        }
        if (state == State::StartRecord) {
            if (IsLineBreak(c)) {
                records.append(QStringList()); // a blank line is an empty record
                state = lineEnd(c);
                continue;
            }
            state = State::StartField;
        }
        switch (state) {
        case State::StartField:
            if (IsLineBreak(c)) {
                endRecord(c);
            } else if (c == u'"') {
                state = State::InQuotedField;
            } else if (c == delimiter) {
                endField();
            } else {
                field += c;
                state = State::InField;
            }
            break;
        case State::InField:
            if (IsLineBreak(c)) {
                endRecord(c);
            } else if (c == delimiter) {
                endField();
                state = State::StartField;
            } else {
                field += c;
            }
            break;
        case State::InQuotedField:
            if (c == u'"') {
                state = State::QuoteInQuotedField;
            } else {
                field += c;
            }
            break;
        case State::QuoteInQuotedField:
            if (c == u'"') {
                field += c;
                state = State::InQuotedField;
            } else if (c == delimiter) {
                endField();
                state = State::StartField;
            } else if (IsLineBreak(c)) {
                endRecord(c);
            } else {
                return std::nullopt; // strict: "delimiter expected after quote"
            }
            break;
        default:
            break;
        }
    }
    if (state == State::InQuotedField) {
        return std::nullopt; // unexpected end of data
    }
    if (state != State::StartRecord && state != State::AfterCr) {
        endField();
        records.append(record);
    }
    return records;
}
