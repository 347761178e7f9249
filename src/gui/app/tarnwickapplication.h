#pragma once

#include <QApplication>

#include <functional>

// The application object. Every event goes through notify(), so an error that escapes an event
// handler, a timer or a slot ends here: one whose message contains "Access" ends the program in
// order, every other one is dropped without a dialog and the program carries on. Every error is
// logged; the window says a dropped one in its status line.
class TarnwickApplication : public QApplication {
    Q_OBJECT

public:
    TarnwickApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Applies the rule to an error message; returns true when it ends the program.
    bool handleUncaughtError(const QString &message);

    // Hands an error to the running application's handler. Slots that widgets call report their
    // errors here instead of throwing: an exception must never unwind through Qt's own frames.
    static void ReportError(const QString &message);

Q_SIGNALS:
    void errorDropped(const QString &message);
    void endingAfterError(const QString &message);
};
