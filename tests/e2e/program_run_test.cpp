// The program as an installer starts it, on its example tree.
#include "program_folder.h"

namespace akt_e2e {
namespace {

TEST_F(ProgramRun, CreateModeWithoutDisplayBuildsTheExampleDatabase) {
    const Outcome outcome = run({"", database, "SYSDBA", "masterkey", "T"});

    EXPECT_EQ(outcome.exitCode, 0) << outcome.standardError.toStdString();
    EXPECT_TRUE(QFileInfo::exists(database));
    EXPECT_EQ(query("select dbver from t_program"), "5");
    EXPECT_EQ(query("select count(*) from klienci"), "2");
    EXPECT_EQ(query("select count(*) from rdb$procedures where rdb$procedure_name = 'NASTEPNY_NUMER'"), "1");
    const QString log = runLog();
    EXPECT_TRUE(log.startsWith("Tworzenie bazy: :" + database + "\r\n")) << log.toStdString();
    EXPECT_TRUE(log.endsWith("Baza odłączona\r\n")) << log.toStdString();
}

// An installer's own log follows the run: every line of the log box, in order, on standard output.
TEST_F(ProgramRun, CreateModeWithoutDisplayWritesTheLogToStandardOutput) {
    addScript("06_BLAD.SQL", "INSERT INTO T\xa3UMACZ VALUES (1);\r\n");

    const Outcome outcome = create();

    EXPECT_EQ(outcome.exitCode, 2) << outcome.standardError.toStdString();
    const QString log = runLog();
    EXPECT_TRUE(log.contains("INSERT INTO TŁUMACZ VALUES (1)")) << log.toStdString();
    EXPECT_EQ(outcome.standardOutput, QString(log).replace("\r\n", "\n"));
}

// Asked from a terminal: the text on standard output, exit 0, and neither the client library (made
// unavailable here) nor a display (an X platform without one would abort the program).
TEST_F(ProgramRun, HelpAndVersionNeedNoWindowAndNoClientLibrary) {
    const QStringList environment = {"AKT_FBCLIENT=" + folder.filePath("missing.so"), "QT_QPA_PLATFORM=xcb"};

    const Outcome help = run({"--help"}, environment);
    EXPECT_EQ(help.exitCode, 0) << help.standardError.toStdString();
    EXPECT_TRUE(help.standardOutput.startsWith("Użycie: aktualizacja SERWER BAZA UŻYTKOWNIK HASŁO TRYB [FOLDER]\n"))
        << help.standardOutput.toStdString();
    EXPECT_TRUE(help.standardOutput.contains("Kod wyjścia:")) << help.standardOutput.toStdString();
    EXPECT_EQ(help.standardError, QString());

    const Outcome version = run({"--version"}, environment);
    EXPECT_EQ(version.exitCode, 0) << version.standardError.toStdString();
    EXPECT_EQ(version.standardOutput, QStringLiteral("aktualizacja " AKT_VERSION "\n"));
    EXPECT_EQ(version.standardError, QString());
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("log.txt")));
}

// A script author's check: the DBSRC beside the program by default, another folder when named; no
// database, no client library, no display.
TEST_F(ProgramRun, CheckNeedsNoDatabaseAndSaysWhereTheProblemIs) {
    const QStringList environment = {"AKT_FBCLIENT=" + folder.filePath("missing.so"), "QT_QPA_PLATFORM=xcb"};

    const Outcome clean = run({"--check"}, environment);
    EXPECT_EQ(clean.exitCode, 0) << clean.standardOutput.toStdString() << clean.standardError.toStdString();
    EXPECT_TRUE(clean.standardOutput.startsWith("tworzenie bazy: skrypty ")) << clean.standardOutput.toStdString();
    EXPECT_EQ(clean.standardOutput.count('\n'), 4);

    addScript("06_BLAD.SQL", "SET BAIL ON;\r\n");
    const Outcome found = run({"--check", folder.filePath("DBSRC")}, environment);
    EXPECT_EQ(found.exitCode, 2);
    EXPECT_TRUE(
        found.standardOutput.startsWith(folder.filePath("DBSRC") + "/06_BLAD.SQL:1: Invalid statement: SET BAIL ON\n"))
        << found.standardOutput.toStdString();

    EXPECT_EQ(run({"--check", folder.filePath("BRAK")}, environment).exitCode, 3);
    EXPECT_FALSE(QFileInfo::exists(database));
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("log.txt")));
}

TEST_F(ProgramRun, CreateModeWithAFailingStatementEndsWithExitCode2) {
    addScript("06_BLAD.SQL", "INSERT INTO NIE_MA_TAKIEJ_TABELI VALUES (1);\r\n");

    const Outcome outcome = run({"", database, "SYSDBA", "masterkey", "t"});

    EXPECT_EQ(outcome.exitCode, 2) << outcome.standardError.toStdString();
    EXPECT_TRUE(runLog().contains("Niepodzenie linia:1\r\nINSERT INTO NIE_MA_TAKIEJ_TABELI VALUES (1)\r\n"))
        << runLog().toStdString();
    // What ran before the failing script stays in the database.
    EXPECT_EQ(query("select count(*) from klienci"), "2");
}

TEST_F(ProgramRun, CreateModeThatCannotCreateTheDatabaseEndsWithExitCode3) {
    database = folder.filePath("no/such/folder/demo.fdb");

    const Outcome outcome = run({"", database, "SYSDBA", "masterkey", "T"});

    EXPECT_EQ(outcome.exitCode, 3) << outcome.standardError.toStdString();
    // Captioned with the executable's name as it is spelt, "aktualizacja".
    EXPECT_TRUE(outcome.standardError.contains(
        "aktualizacja: Nie utworzono bazy danych. Skontaktuj się z dostawcą oprogramowania."))
        << outcome.standardError.toStdString();
}

TEST_F(ProgramRun, MissingClientLibraryEndsWithExitCode1AndNamesTheFile) {
    const QString missing = folder.filePath("libfbclient-missing.so.2");

    const Outcome outcome = run({"", database, "SYSDBA", "masterkey", "T"}, {"AKT_FBCLIENT=" + missing});

    EXPECT_EQ(outcome.exitCode, 1) << outcome.standardError.toStdString();
    EXPECT_TRUE(outcome.standardError.contains("InterBase library " + missing +
                                               " not found in the path. Please install InterBase to use this "
                                               "functionality"))
        << outcome.standardError.toStdString();
    EXPECT_FALSE(QFileInfo::exists(database));
}

TEST_F(ProgramRun, UpdateModeWithoutDisplayExplainsAndEndsWithExitCode3) {
    const Outcome outcome = run({"", database, "SYSDBA", "masterkey", "TRUE"});

    EXPECT_EQ(outcome.exitCode, 3) << outcome.standardError.toStdString();
    EXPECT_TRUE(outcome.standardError.contains("no display")) << outcome.standardError.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("log.txt")));
}

} // namespace
} // namespace akt_e2e
