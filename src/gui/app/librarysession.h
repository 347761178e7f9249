#pragma once

#include <QObject>
#include <QString>

class LeadLibrary;
class StatusSink;
class UiTexts;

// The lead library as the window keeps it. It opens at start-up in the program's data folder; a
// damaged file that went aside, or a library that cannot be opened, is said once the window is
// on screen, and without a library the program goes on as before. A timed write that starts
// failing is said in the status line.
class LibrarySession : public QObject {
    Q_OBJECT

public:
    struct Pieces {
        LeadLibrary &library;
        const UiTexts &texts;
        StatusSink &status;
    };

    explicit LibrarySession(Pieces pieces, QObject *parent = nullptr);

    // Opens the library in dataFolder (none without one); what to say once the window shows, or
    // empty.
    QString open(const QString &dataFolder);
    // Writes what the library still holds back.
    void flush();

private:
    void sayWriteFailed(const QString &reason);

    Pieces m_pieces;
};
