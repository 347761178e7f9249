#pragma once

#include <QString>

#include <utility>

// The outcome of writing an export file: success, or the reason it failed (naming the path).
struct ExportResult {
    bool ok = true;
    QString errorString;

    static ExportResult success() { return {}; }
    static ExportResult failure(QString reason) { return {false, std::move(reason)}; }
    explicit operator bool() const { return ok; }
};
