#pragma once

#include <QObject>
#include <qcoro/qcorotask.h>

#include <exception>

// Follows the coroutines an owner starts and does not await itself (a run's tick, the start-up,
// a button's work), so the owner knows when the last one has ended and can close only then:
// a coroutine must never outlive what it refers to.
class TaskTracker : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // The task runs on by itself; its result is dropped, and so is an exception it lets through,
    // after a warning.
    template<typename T>
    void track(QCoro::Task<T> task) {
        // A task already finished is followed too: it may hold an exception thrown before its
        // first wait.
        ++m_alive;
        Follow(std::move(task));
    }
    int alive() const { return m_alive; }
    bool isIdle() const { return m_alive == 0; }

Q_SIGNALS:
    // The last tracked task has ended.
    void idle();

private:
    template<typename T>
    QCoro::Task<> Follow(QCoro::Task<T> task) {
        try {
            co_await task;
        } catch (const std::exception &error) {
            Warn(error.what());
        } catch (...) {
            Warn("unknown error");
        }
        Ended();
    }
    static void Warn(const char *what);
    void Ended();

    int m_alive = 0;
};
