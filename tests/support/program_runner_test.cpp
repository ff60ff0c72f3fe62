#include "support/program_runner.h"

#include "support/program_path.h"

#include "tests/common/recording_ui.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace akt {
namespace {

using Kind = test::RecordingUi::Kind;
using Dialog = test::RecordingUi::Dialog;

// A shell loop for the child: wait until the file named by $0 exists (giving up after about 30 s,
// so a broken wait fails instead of hanging), then run the rest.
QString waitForFileThen(const QString& file, const QString& then) {
    return QStringLiteral("-c \"i=0; while [ ! -e $0 ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i+1)); done; "
                          "[ -e $0 ] && %1\" \"%2\"")
        .arg(then, file);
}

bool touch(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

class ProgramRunnerTest : public testing::Test {
protected:
    QTemporaryDir dir;
    test::RecordingUi ui;
    QProcessRunner runner{ui};
};

TEST_F(ProgramRunnerTest, NonZeroExitStillCountsAsStartedAndIsReported) {
    const RunResult result = runner.run("/bin/sh", R"(-c "exit 3")");

    EXPECT_TRUE(result.started);
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_FALSE(result.crashed);
    EXPECT_FALSE(result.succeeded());
    EXPECT_TRUE(RunProgramAndWait(runner, "/bin/sh", R"(-c "exit 3")"));
    EXPECT_TRUE(ui.dialogs.empty());
}

TEST_F(ProgramRunnerTest, CrashIsReported) {
    const RunResult result = runner.run("/bin/sh", R"(-c "kill -SEGV $$")");

    EXPECT_TRUE(result.started);
    EXPECT_TRUE(result.crashed);
    EXPECT_FALSE(result.succeeded());
}

TEST_F(ProgramRunnerTest, MissingProgramShowsErrorStartingAndGivesFalse) {
    const QString missing = dir.path() + "/no such folder/gbak";

    EXPECT_FALSE(RunProgramAndWait(runner, missing, "-b a.fdb b.fbk"));

    EXPECT_EQ(ui.dialogs, (std::vector<Dialog>{{Kind::Plain, "Error starting" + missing}}));
}

TEST_F(ProgramRunnerTest, QuotedPathsWithBlanksArriveAsSingleArgumentsWithoutQuotes) {
    // The echo program stands in for the backup tool: extension-less, in a folder with a blank.
    const QString tools = dir.path() + "/my tools/";
    ASSERT_TRUE(QDir().mkpath(tools));
    ASSERT_TRUE(QFile::copy(AKT_ARGV_ECHO, tools + "gbak"));
    const QString out = dir.path() + "/argv";
    qputenv("AKT_ARGV_OUT", QFile::encodeName(out));

    const RunResult result = runner.run(
        tools + "gbak", R"(-b -user SYSDBA -pas "tajne hasło" "/data/moje bazy/baza.fdb" "/data/kopie/Kopia_1.fbk")");

    ASSERT_TRUE(result.succeeded());
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    QStringList args;
    for (const QByteArray& arg : written.readAll().split('\0'))
        args << QString::fromUtf8(arg);
    args.removeLast(); // after the final NUL
    EXPECT_EQ(args, (QStringList{"-b", "-user", "SYSDBA", "-pas", "tajne hasło", "/data/moje bazy/baza.fdb",
                                 "/data/kopie/Kopia_1.fbk"}));
}

TEST_F(ProgramRunnerTest, EventsAreDeliveredWhileWaiting) {
    // The child ends only once the timer has created its file, so finishing proves the timer fired
    // during the wait.
    const QString go = dir.path() + "/go";
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = touch(go); });

    const RunResult result = runner.run("/bin/sh", waitForFileThen(go, "exit 0"));

    EXPECT_TRUE(fired);
    EXPECT_TRUE(result.succeeded());
}

TEST_F(ProgramRunnerTest, TerminatingEndsTheWaitAndLeavesTheChildRunning) {
    const QString go = dir.path() + "/go";
    const QString done = dir.path() + "/done";
    QTimer::singleShot(0, [&] { ui.terminatingFlag = true; });
    RunResult result;
    {
        QProcessRunner ownRunner(ui);
        result = ownRunner.run("/bin/sh", waitForFileThen(go, "touch " + done));
        ASSERT_TRUE(touch(go));
        // Leaving the scope waits for the child rather than killing it.
    }

    EXPECT_TRUE(result.started);
    EXPECT_FALSE(result.finished);
    EXPECT_TRUE(QFile::exists(done));
}

TEST(ProgramPath, BareNameIsFoundOnPath) {
    const QString resolved = resolveProgram("sh");

    EXPECT_TRUE(QDir::isAbsolutePath(resolved)) << resolved.toStdString();
    EXPECT_TRUE(resolved.endsWith("/sh"));
}

} // namespace
} // namespace akt
