// Create mode against scripts and files that used to end in a false success or a hang: each case
// must end with the exit code that tells the installer the truth, say why in log.txt, and leave a
// sound database with what the log says ran.
#include "program_folder.h"
#include "tests/common/case_name.h"

#include <functional>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace akt_e2e {
namespace {

using akt::test::CaseName;
using akt::test::NamedCase;

struct DatabaseCheck {
    QString sql;
    QString expected;
};

struct FaultCase : NamedCase {
    // Adds the case's scripts (or other entries) to the example tree.
    std::function<void(ProgramRun&, const QByteArray& dbsrc)> arrange;
    int exitCode;
    std::vector<QString> logHas;
    std::vector<DatabaseCheck> checks;
};

class FaultRun : public ProgramRun, public testing::WithParamInterface<FaultCase> {};

const QByteArray kCommitTrigger = "CREATE EXCEPTION E_ODMOWA 'Odmowa zatwierdzenia';\r\n"
                                  "CREATE TABLE KONCOWE (ID INTEGER);\r\n"
                                  "SET TERM ^ ;\r\n"
                                  "CREATE TRIGGER T_ZATWIERDZENIE ON TRANSACTION COMMIT AS\r\n"
                                  "BEGIN\r\n"
                                  "  IF (EXISTS (SELECT 1 FROM KONCOWE WHERE ID = 99)) THEN EXCEPTION E_ODMOWA;\r\n"
                                  "END^\r\n"
                                  "SET TERM ; ^\r\n"
                                  "INSERT INTO KONCOWE VALUES (1);\r\n"
                                  "INSERT INTO KONCOWE VALUES (99);\r\n";

std::vector<FaultCase> faultCases() {
    return {
        {"RefusedFinalCommit",
         [](ProgramRun& run, const QByteArray&) { run.addScript("06_KONIEC.SQL", kCommitTrigger); },
         2,
         {"Nie udało się zatwierdzić zmian na końcu przetwarzania - zmiany jeszcze niezatwierdzone zostały wycofane:",
          "Odmowa zatwierdzenia", "Baza odłączona"},
         // The example's rows were waiting for the same commit; the log says they were rolled back.
         {{"select count(*) from koncowe", "0"}, {"select count(*) from klienci", "0"}}},
        {"FifoNamedLikeAScript",
         [](ProgramRun&, const QByteArray& dbsrc) { ASSERT_EQ(::mkfifo(dbsrc + "/02_PIPE.SQL", 0600), 0); },
         3,
         {"02_PIPE.SQL", "FIFO"},
         {}},
        {"DirectoryNamedLikeAScript",
         [](ProgramRun&, const QByteArray& dbsrc) { ASSERT_EQ(::mkdir(dbsrc + "/02_KATALOG.SQL", 0700), 0); },
         3,
         {"02_KATALOG.SQL", "directory"},
         {}},
        {"LinkToDevZero",
         [](ProgramRun&, const QByteArray& dbsrc) { ASSERT_EQ(::symlink("/dev/zero", dbsrc + "/02_ZERA.SQL"), 0); },
         3,
         {"02_ZERA.SQL", "character device"},
         {}},
        {"NulByteBetweenStatements",
         [](ProgramRun& run, const QByteArray&) {
             run.addScript("06_NUL.SQL", QByteArray("CREATE TABLE T_NUL (ID INTEGER);\nINSERT INTO T_NUL VALUES (1);\n"
                                                    "\0INSERT INTO T_NUL VALUES (2);\n",
                                                    75));
         },
         2,
         {"Błąd parsowania: ", "NUL"},
         {{"select count(*) from t_nul", "1"}}},
        {"Utf8ByteOrderMark",
         [](ProgramRun& run, const QByteArray&) {
             run.addScript("06_BOM.SQL", "\xEF\xBB\xBF"
                                         "CREATE TABLE T_BOM (ID INTEGER);\r\n");
         },
         2,
         {"Błąd parsowania: ", "UTF-8"},
         {{"select count(*) from rdb$relations where rdb$relation_name = 'T_BOM'", "0"}}},
        {"Utf16WithoutByteOrderMark",
         [](ProgramRun& run, const QByteArray&) {
             const QString text = QStringLiteral("CREATE TABLE T_UTF16 (ID INTEGER);\r\n");
             run.addScript("06_UTF16.SQL", QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
         },
         2,
         {"Błąd parsowania: ", "NUL"},
         {{"select count(*) from rdb$relations where rdb$relation_name = 'T_UTF16'", "0"}}},
        {"Windows1250FileName",
         [](ProgramRun& run, const QByteArray&) {
             run.addScript("06_\xBF\xF3\xB3w.SQL", "CREATE TABLE ZOLW (ID INTEGER);\r\n");
         },
         0,
         {QStringLiteral("Przetwarzanie... 06_żółw"), QStringLiteral("Przetwarzanie zakoczone: 06_żółw")},
         {{"select count(*) from rdb$relations where rdb$relation_name = 'ZOLW'", "1"}}},
        {"CommentOpenerAsTerminator",
         [](ProgramRun& run, const QByteArray&) {
             run.addScript("06_TERM.SQL", "SET TERM /* ;\r\nCREATE TABLE PO_TERM (ID INTEGER);\r\n");
             run.addScript("07_NASTEPNY.SQL", "CREATE TABLE NASTEPNY (ID INTEGER);\r\nCREATE TABLE NASTEPNY2 (ID "
                                              "INTEGER);\r\n");
         },
         2,
         {"Błąd parsowania: SET TERM /* ;"},
         {{"select count(*) from rdb$relations where rdb$relation_name = 'PO_TERM'", "0"},
          {"select count(*) from rdb$relations where rdb$relation_name starting with 'NASTEPNY'", "2"}}},
        {"QuoteInTerminator",
         [](ProgramRun& run, const QByteArray&) {
             run.addScript("06_TERM.SQL", "SET TERM '^ ;\r\nCREATE TABLE PO_TERM (ID INTEGER);\r\n");
         },
         2,
         {"Błąd parsowania: SET TERM '^ ;"},
         {{"select count(*) from rdb$relations where rdb$relation_name = 'PO_TERM'", "0"}}},
    };
}

TEST_P(FaultRun, EndsWithTheTruthAndASoundDatabase) {
    const FaultCase& fault = GetParam();
    const QByteArray dbsrc = QFile::encodeName(folder.filePath("DBSRC"));
    fault.arrange(*this, dbsrc);
    if (HasFatalFailure())
        return;

    const Outcome outcome = create();

    EXPECT_EQ(outcome.exitCode, fault.exitCode) << outcome.standardError.toStdString();
    const QString log = runLog();
    for (const QString& expected : fault.logHas)
        EXPECT_TRUE(log.contains(expected)) << "missing: " << expected.toStdString() << "\nlog:\n" << log.toStdString();
    EXPECT_EQ(validation(), QString());
    for (const DatabaseCheck& check : fault.checks)
        EXPECT_EQ(query(check.sql), check.expected) << check.sql.toStdString();
    // The scripts that sort before the fault ran.
    EXPECT_EQ(query("select count(*) from rdb$relations where rdb$relation_name = 'T_PROGRAM'"), "1");
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultRun, testing::ValuesIn(faultCases()), CaseName{});

TEST_F(ProgramRun, OverlongPasswordIsRefusedBeforeAnythingIsCreated) {
    const Outcome outcome = run({"", database, "SYSDBA", QString(300, 'x'), "T"});

    EXPECT_EQ(outcome.exitCode, 3) << outcome.standardError.toStdString();
    EXPECT_TRUE(outcome.standardError.contains(QStringLiteral("Hasło ma 300 bajtów, a może mieć najwyżej 255.")))
        << outcome.standardError.toStdString();
    EXPECT_FALSE(QFileInfo::exists(database));
    EXPECT_TRUE(runLog().contains(QStringLiteral("Baza danych nie została utworzona."))) << runLog().toStdString();
}

} // namespace
} // namespace akt_e2e
