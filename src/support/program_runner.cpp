#include "support/program_runner.h"

#include "support/program_path.h"
#include "support/windows_command_line.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace akt {
namespace {

// How often the wait asks whether the application is ending; the child's end itself is a signal.
constexpr int kTerminationCheckMs = 50;

} // namespace

QProcessRunner::QProcessRunner(UserInterface& ui) : ui_(ui) {}

QProcessRunner::~QProcessRunner() {
    for (const auto& process : leftovers_)
        process->waitForFinished(-1);
}

RunResult QProcessRunner::run(const QString& file, const QString& params) {
    dropFinishedLeftovers();

    auto process = std::make_unique<QProcess>();
    process->setProgram(resolveProgram(file));
    process->setArguments(splitWindowsCommandLine(params));
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
    process->start();
    if (!process->waitForStarted(-1)) {
        ui_.plainMessage(QStringLiteral("Error starting") + file);
        return {};
    }

    waitForEnd(*process);

    RunResult result;
    result.started = true;
    if (process->state() != QProcess::NotRunning) {
        leftovers_.push_back(std::move(process));
        return result;
    }
    result.finished = true;
    result.exitCode = process->exitCode();
    result.crashed = process->exitStatus() == QProcess::CrashExit;
    return result;
}

void QProcessRunner::waitForEnd(QProcess& process) {
    if (process.state() == QProcess::NotRunning || ui_.terminating())
        return;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [this, &loop] {
        ui_.pump();
        if (ui_.terminating())
            loop.quit();
    });
    check.start(kTerminationCheckMs);
    // Returns early as well when the application quits all its event loops; the caller then
    // finds the child still running and leaves it be.
    loop.exec();
}

void QProcessRunner::dropFinishedLeftovers() {
    leftovers_.erase(std::remove_if(leftovers_.begin(), leftovers_.end(),
                                    [](const auto& p) { return p->state() == QProcess::NotRunning; }),
                     leftovers_.end());
}

bool RunProgramAndWait(ProgramRunner& runner, const QString& program, const QString& parameters) {
    return runner.run(program, parameters).started;
}

} // namespace akt
