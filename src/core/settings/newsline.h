#pragma once

#include <QString>

// The news link label, both parts rich text for a label or tooltip that renders markup.
struct NewsLine {
    // An HTML anchor to the news link whose text is the section as plain text, escaped; past
    // 200 characters it is cut to 199 and "…".
    QString markup;
    // The whole section as escaped text; empty when the section is.
    QString toolTip;
};

// The section of newsText between "<XX1>" and "</XX1>", XX being the language code in ASCII
// upper case, shown as text: the publisher's file is outside text, and a label that rendered
// its markup would load images, draw tables or grow without bound in the window's top panel.
NewsLine BuildNewsLine(const QString &newsText, const QString &newsLink, const QString &languageCode);
