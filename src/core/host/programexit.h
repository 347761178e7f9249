#pragma once

#include <QString>

// How a program the host ran has ended, as a value: the caller decides what a failure means.
struct ProgramExit {
    enum class Kind {
        Exited,     // ended by itself; exitCode holds its status
        NotStarted, // could not be started at all (missing, not executable)
        Crashed,    // ended by a signal
        Abandoned,  // a stop ended the wait first; the program was ended too
    };

    Kind kind = Kind::NotStarted;
    int exitCode = 0;
    QString errorString; // NotStarted and Crashed: why, in the system's words

    bool succeeded() const { return kind == Kind::Exited && exitCode == 0; }
};
