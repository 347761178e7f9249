#pragma once

#include <QObject>

class QSocketNotifier;

// Closes the windows and ends the event loop on SIGINT and SIGTERM (Ctrl+C in a terminal, the
// session ending), as if the user had closed the window: a run stops at its next test and the
// program's temporary folders and the demo's sample site go in order. One at a time.
class QuitOnSignal : public QObject {
    Q_OBJECT

public:
    explicit QuitOnSignal(QObject *parent = nullptr);
    ~QuitOnSignal() override;
    QuitOnSignal(const QuitOnSignal &) = delete;
    QuitOnSignal &operator=(const QuitOnSignal &) = delete;

private:
    void quit();

    QSocketNotifier *m_notifier = nullptr;
};
