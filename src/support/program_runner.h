#pragma once

#include "support/user_interface.h"

#include <QProcess>
#include <QString>

#include <memory>
#include <vector>

namespace akt {

struct RunResult {
    bool started = false;  // false: the program could not be started (the user has been told)
    bool finished = false; // false: the wait ended because the application is ending; the child still runs
    int exitCode = 0;      // meaningful when finished
    bool crashed = false;  // the child ended by a signal or crash rather than by exiting

    // The only outcome after which a backup file can be trusted.
    bool succeeded() const { return started && finished && !crashed && exitCode == 0; }
};

// Starts an external program with a parameter string and waits for its end. The update run goes
// through this so that tests can put their own runner in.
class ProgramRunner {
public:
    virtual ~ProgramRunner() = default;
    virtual RunResult run(const QString& file, const QString& params) = 0;
};

// The real runner: QProcess, no shell. The parameter string is split by the Windows command-line
// rules; the child shares our standard input, output and error. While it waits the event loop
// runs, so the window stays responsive; the wait gives up when the application is ending.
class QProcessRunner final : public ProgramRunner {
public:
    explicit QProcessRunner(UserInterface& ui);
    // Waits for children whose wait was given up: killing a backup tool halfway through a restore
    // would ruin the database it is writing.
    ~QProcessRunner() override;

    QProcessRunner(const QProcessRunner&) = delete;
    QProcessRunner& operator=(const QProcessRunner&) = delete;

    RunResult run(const QString& file, const QString& params) override;

private:
    void waitForEnd(QProcess& process);
    void dropFinishedLeftovers();

    UserInterface& ui_;
    std::vector<std::unique_ptr<QProcess>> leftovers_; // children still running when their wait ended
};

// True when the program was started, whatever its exit code; false after "Error starting<file>".
bool RunProgramAndWait(ProgramRunner& runner, const QString& program, const QString& parameters);

} // namespace akt
