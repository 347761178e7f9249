#pragma once

#include "core/library/leadlibrary.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A library in a temporary folder, with a clock the test sets.
class LibraryFixture : public ::testing::Test {
protected:
    LibraryFixture() { reopen(); }

    QString path() const { return m_dir.filePath(QStringLiteral("data/library.sqlite")); }
    // Lets the library go as a session ends, and opens the file again.
    LibraryOpening reopen() {
        library.reset();
        library = std::make_unique<LeadLibrary>([this] { return now; });
        return library->open(path());
    }
    static LeadRow Company(const QString &name, const QString &link, const QString &city = {},
                           const QString &website = {}, const QString &email = {}) {
        LeadRow row;
        row[LeadRow::BusinessName] = name;
        row[LeadRow::LinkedInLink] = link;
        row[LeadRow::City] = city;
        row[LeadRow::Website] = website;
        row[LeadRow::Email] = email;
        return row;
    }
    QList<LibraryEntry> all(const LibraryFilter &filter = {}) const {
        const LibraryResult<QList<LibraryEntry>> entries = library->page(filter, 0, 1000);
        EXPECT_TRUE(entries.ok()) << entries.errorString.toStdString();
        return entries.value;
    }

    QTemporaryDir m_dir;
    qint64 now = 1'700'000'000'000;
    std::unique_ptr<LeadLibrary> library;
};
