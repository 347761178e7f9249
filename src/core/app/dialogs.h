#pragma once

#include <QString>

#include <optional>
#include <utility>

// Message boxes and file dialogs, as the core asks for them. The GUI shows real dialogs;
// tests answer them through a substitute.
class Dialogs {
public:
    enum class Icon { Information, Warning, Error };
    // The answer to a question with two answers; Escape and the close box decide nothing.
    enum class Choice { Accept, Reject, Undecided };

    struct SaveFileRequest {
        QString title;
        // "description|pattern" pairs joined by "|", for instance
        // "CSV files (*.csv)|*.csv|Excel workbook (*.xlsx)|*.xlsx"
        QString filter;
        QString defaultSuffix; // without the dot, for the first file type
        QString folder;        // the folder the dialog opens in
        QString fileName;      // the text of the file-name box
    };

    // The chosen path and the file type it was chosen under (0 for the first pair of the filter).
    struct SaveFileChoice {
        QString path;
        int filterIndex = 0;
    };

    virtual ~Dialogs() = default;

    // A box with an OK button only.
    virtual void showMessage(Icon icon, const QString &text) = 0;
    // The same with a detail below the text, shown as plain text the user can select and copy
    // (an address the program could not open, for one).
    virtual void showMessageWithDetail(Icon icon, const QString &text, const QString &detail) = 0;
    // A message that waits for no answer: the work under way goes on while it shows.
    virtual void showNotice(Icon icon, const QString &text) { showMessage(icon, text); }
    // A box with OK and Cancel; true only for OK (closing the box counts as Cancel).
    virtual bool confirm(Icon icon, const QString &text) = 0;
    // A question answered with one of two buttons, accept and reject, named by their captions.
    virtual Choice choose(Icon icon, const QString &text, const QString &accept, const QString &reject) = 0;
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<QString> getSaveFileName(const SaveFileRequest &request) = 0;
    // The same with the file type the user picked; a dialog that offers no choice of type
    // reports the first.
    virtual std::optional<SaveFileChoice> getSaveFile(const SaveFileRequest &request) {
        std::optional<QString> path = getSaveFileName(request);
        if (!path) {
            return std::nullopt;
        }
        return SaveFileChoice{std::move(*path), 0};
    }
};
