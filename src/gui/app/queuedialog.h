#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QueueRunner;
class UiTexts;

// The queue of searches as the user edits it: one search a line, pasted or added from the pane.
// The dialog stays open beside the window. Closing it or running the queue keeps what was
// typed; a list the same as the stored one keeps where the queue stands, so Run queue goes on
// at the search it stopped at. While the queue runs its list cannot be changed.
class QueueDialog : public QDialog {
    Q_OBJECT

public:
    struct Pieces {
        QueueRunner &runner;
        const UiTexts &texts;
        QString linkedInBase;
        // The address the browser pane shows.
        std::function<QString()> currentAddress;
        // Starts the stored queue.
        std::function<void()> runQueue;
    };

    QueueDialog(Pieces pieces, QWidget *parent = nullptr);

    // The texts in force, the stored list and where it stands.
    void refresh();
    void addCurrentSearchClick();
    void runQueueClick();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void keepEdits();

    Pieces m_pieces;
    QLabel *m_lblHelp = nullptr;
    QPlainTextEdit *m_memSearches = nullptr;
    QLabel *m_lblProgress = nullptr;
    QPushButton *m_btnAddCurrent = nullptr;
    QPushButton *m_btnRun = nullptr;
    QPushButton *m_btnClose = nullptr;
};
