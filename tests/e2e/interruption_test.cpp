// SIGTERM in the middle of a create run: the program ends within seconds, whether it is between
// statements or inside one long statement, says so in log.txt and commits nothing of the unfinished
// script.
#include "program_folder.h"

#include <QThread>

#include <csignal>

namespace akt_e2e {
namespace {

struct InterruptionCase {
    const char* name;
    QByteArray script;
    const char* logHas;
};

QByteArray manyInserts(int count) {
    QByteArray text = "CREATE TABLE DUZO (ID INTEGER);\r\n";
    for (int i = 0; i < count; ++i)
        text += "INSERT INTO DUZO VALUES (" + QByteArray::number(i) + ");\r\n";
    return text;
}

void PrintTo(const InterruptionCase& interruption, std::ostream* out) {
    *out << interruption.name;
}

class Interruption : public ProgramRun, public testing::WithParamInterface<InterruptionCase> {};

TEST_P(Interruption, EndsPromptlyWithTheLogSavedAndNothingHalfCommitted) {
    addScript("06_DLUGI.SQL", GetParam().script);
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
        if (GetParam().script.startsWith("CREATE TABLE")) {
            EXPECT_EQ(query("select count(*) from duzo"), "0");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Signals, Interruption,
    testing::Values(InterruptionCase{"BetweenStatements", manyInserts(2000000), "Przetwarzanie... 06_DLUGI"},
                    InterruptionCase{"InsideALongStatement",
                                     "SET TERM ^ ;\r\n"
                                     "EXECUTE BLOCK AS DECLARE I BIGINT = 0; BEGIN WHILE (I < 100000000000) DO I = I "
                                     "+ 1; END^\r\n",
                                     "cancelled"}),
    [](const testing::TestParamInfo<InterruptionCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace akt_e2e
