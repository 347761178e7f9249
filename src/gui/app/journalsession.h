#pragma once

#include <QObject>
#include <QString>

#include <memory>

class Dialogs;
class QLocale;
class ResultsJournal;
class ResultsList;
class StatusSink;
class UiTexts;

// The results list's journal as the window keeps it. It starts once the window is on screen,
// so the question about the last session's rows is asked over the window. A program that finds
// the journal held by another running copy keeps none, and says so once in the status line; a
// failing write is said once in a warning, and the journal tries again at its next flush.
class JournalSession : public QObject {
    Q_OBJECT

public:
    struct Pieces {
        ResultsList &list;
        Dialogs &dialogs;
        const UiTexts &texts;
        StatusSink &status;
    };

    JournalSession(Pieces pieces, QString path, QObject *parent = nullptr);
    ~JournalSession() override;

    void start(const QLocale &locale);
    // Null before start(), and when this program keeps no journal.
    ResultsJournal *journal() const { return m_journal.get(); }

private:
    void sayWriteFailed(const QString &reason);

    Pieces m_pieces;
    QString m_path;
    std::unique_ptr<ResultsJournal> m_journal;
};
