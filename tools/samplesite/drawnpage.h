#pragma once

#include <QString>

// A page as today's LinkedIn serves it: <main> holds only a placeholder until the page's script
// draws the content, delayMs after the load event. The content travels base64-encoded inside
// the script, so none of its text is in the served markup.
struct DrawnPage {
    QString title;
    QString beforeMain;  // markup between <body> and <main>
    QString mainClass;   // class of <main>
    QString placeholder; // what <main> holds until the content is drawn
    QString content;     // what the script puts into <main>
    QString afterMain;   // markup between </main> and the script
    QString extraScript; // further statements run at once, e.g. event handlers
    int delayMs = 0;

    QString Html() const;
};
