#pragma once

#include <QByteArray>
#include <QString>

namespace Quillorn {

// How a run of an outside program ended.
enum class RunStatus {
    NotStarted,   // nothing to run, or the program could not be started
    Finished,     // the program exited by itself
    TimedOut,     // stopped after the time-out
    OutputCapped, // stopped after writing more than the output cap
    Cancelled,    // stopped on request
    Failed,       // a run-time error inside the runner
};

// What a run of an outside program gave: how it ended, its exit code and what it wrote, and
// the text result that the tools show or insert.
struct RunResult {
    RunStatus status = RunStatus::NotStarted;
    QString program;    // the program as named on the command line
    int startError = 0; // the system error number when it could not be started
    int exitCode = -1;  // when Finished; -1 when a signal ended it
    QByteArray output;  // standard output, with standard error when the channels are merged
    QByteArray error;   // standard error when the channels are apart

    // Why the program could not be started ("No such file or directory"), or "".
    QString reason() const;
    // "" when nothing was started; "ERR" for a run that did not finish by itself; else the
    // output as UTF-8 when it is valid UTF-8 and as Latin-1 otherwise. Latin-1 maps every
    // byte to a character, so no byte is lost, without guessing at code pages.
    QString text() const;
};

} // namespace Quillorn
