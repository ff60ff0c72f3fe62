// SIGTERM in the middle of a create run: the program ends within seconds, whether it is between
// statements or inside one long statement, says so in log.txt and commits nothing of the unfinished
// script.
#include "program_folder.h"
#include "tests/common/case_name.h"

#include <QThread>

#include <csignal>

namespace akt_e2e {
namespace {

using akt::test::CaseName;
using akt::test::NamedCase;

// The script is made when the test runs: listing the tests must stay quick, and one script is 70 MB.
struct InterruptionCase : NamedCase {
    QByteArray (*makeScript)();
    const char* logHas;
};

QByteArray manyInserts() {
    QByteArray text = "CREATE TABLE DUZO (ID INTEGER);\r\n";
    for (int i = 0; i < 2000000; ++i)
        text += "INSERT INTO DUZO VALUES (" + QByteArray::number(i) + ");\r\n";
    return text;
}

QByteArray oneLongStatement() {
    return "SET TERM ^ ;\r\n"
           "EXECUTE BLOCK AS DECLARE I BIGINT = 0; BEGIN WHILE (I < 100000000000) DO I = I + 1; END^\r\n";
}

class Interruption : public ProgramRun, public testing::WithParamInterface<InterruptionCase> {};

TEST_P(Interruption, EndsPromptlyWithTheLogSavedAndNothingHalfCommitted) {
    const QByteArray script = GetParam().makeScript();
    addScript("06_DLUGI.SQL", script);
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    start(process, {"", database, "SYSDBA", "masterkey", "T"});
    ASSERT_TRUE(process.waitForStarted());
    // The engine holds the file while the program runs, so the test cannot look inside; the example
    // scripts take a second or two, the long one far longer.
    while (!QFileInfo::exists(database) && clock.elapsed() < 60000)
        QThread::msleep(100);
    QThread::msleep(5000);
    ASSERT_EQ(process.state(), QProcess::Running) << "the run ended before it could be interrupted";

    QElapsedTimer sinceSignal;
    sinceSignal.start();
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    const Outcome outcome = finish(process, clock);
    std::printf("[ %s ] ended %lld ms after SIGTERM\n", GetParam().name, static_cast<long long>(sinceSignal.elapsed()));

    EXPECT_EQ(outcome.exitCode, 3) << outcome.standardError.toStdString();
    const QString log = runLog();
    EXPECT_TRUE(log.contains(GetParam().logHas)) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Przerwano na żądanie zakończenia programu - zmiany jeszcze "
                                            "niezatwierdzone zostały wycofane\r\nBaza odłączona\r\n")))
        << log.toStdString();
    EXPECT_EQ(validation(), QString());
    // Nothing of the long script is committed, nor the example's rows that were waiting for a commit.
    if (log.contains("Przetwarzanie... 06_DLUGI")) {
        EXPECT_EQ(query("select count(*) from klienci"), "0");
        if (script.startsWith("CREATE TABLE")) {
            EXPECT_EQ(query("select count(*) from duzo"), "0");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Signals, Interruption,
                         testing::Values(InterruptionCase{"BetweenStatements", manyInserts,
                                                          "Przetwarzanie... 06_DLUGI"},
                                         InterruptionCase{"InsideALongStatement", oneLongStatement, "cancelled"}),
                         CaseName{});

} // namespace
} // namespace akt_e2e
