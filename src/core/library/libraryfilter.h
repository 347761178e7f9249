#pragma once

#include <QDateTime>
#include <QString>

// Which companies a view of the library shows. Every part left empty lets all through.
struct LibraryFilter {
    // Words that must each begin a word of the name, web site, city or e-mail.
    QString text;
    // The search address the companies first came from, as it was kept.
    QString searchAddress;
    // The companies last seen within these times, both ends included.
    QDateTime seenFrom;
    QDateTime seenTo;

    bool operator==(const LibraryFilter &) const = default;
};

// The full-text query for the words of text, each matched as a prefix, all required; empty when
// text holds no letter or digit. Quotes keep the user's text from being read as query syntax.
QString FullTextQuery(const QString &text);
