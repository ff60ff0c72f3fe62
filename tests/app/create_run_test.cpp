// Create mode from start-up to the closed window, against the embedded engine.
#include "tests/app/run_fixture.h"
#include "tests/common/case_name.h"

#include <QDir>
#include <QFile>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace akt::test {
namespace {

using Kind = DialogKind;

class CreateRunTest : public RunFixture {
protected:
    QString databasePath() const { return data.path() + QStringLiteral("/nowa.fdb"); }

    // Starts the program in create mode on an embedded database and lets the timer fire.
    void runCreateMode() {
        show({QString(), databasePath(), QStringLiteral("SYSDBA"), kAdminPassword, QStringLiteral("T")});
        ASSERT_TRUE(view.timer);
        form->tmrPrzetwarzanieTimer();
    }

    int embeddedInt(const QByteArray& query) { return queryInt(QString(), databasePath(), query); }

    // Each script appends its digit to n, so the final n spells the order the scripts ran in.
    void writeOrderedScripts() {
        script("DBSRC/0/00_TABELA.SQL", "CREATE TABLE t_order (n INTEGER);\nINSERT INTO t_order VALUES (0);\n"
                                        "COMMIT;\n");
        script("DBSRC/ADR/01_A.sql", "UPDATE t_order SET n = n * 10 + 1;\n");
        script("DBSRC/02_B.SQL", "/* zażółć */\nUPDATE t_order SET n = n * 10 + 2;\n");
        script("DBSRC/5/03_C.SQL", "UPDATE t_order SET n = n * 10 + 3;\nCOMMIT;\n");
    }
};

TEST_F(CreateRunTest, CreatesTheDatabaseRunsEveryScriptInListOrderSavesTheLogAndCloses) {
    writeOrderedScripts();
    runCreateMode();

    const QString at = QStringLiteral(":") + databasePath();
    const QStringList expected = {
        "Tworzenie bazy: " + at,
        "Podłączanie do bazy: " + at,
        "Połączono z bazą",
        "Przetwarzanie... 00_TABELA",
        "Przetwarzanie zakoczone: 00_TABELA",
        "Przetwarzanie... 01_A",
        "Przetwarzanie zakoczone: 01_A",
        "Przetwarzanie... 02_B",
        "Przetwarzanie zakoczone: 02_B",
        "Przetwarzanie... 03_C",
        "Przetwarzanie zakoczone: 03_C",
        "Baza odłączona",
    };
    EXPECT_EQ(view.log.lines(), expected);
    EXPECT_EQ(runLogBytes(), expectedRunLog());
    EXPECT_TRUE(runLogBytes().contains("Baza od\xb3\xb9\x63zona\r\n")) << "Windows-1250 with CR LF";
    EXPECT_EQ(checkedEntries(), QStringList({"00_TABELA", "01_A", "02_B", "03_C"}));
    EXPECT_TRUE(view.closed);
    EXPECT_TRUE(view.dialogs.empty());
    EXPECT_EQ(view.currentCursor, Cursor::Normal);
    EXPECT_FALSE(view.logRed);
    EXPECT_EQ(form->exitCode(), 0);
    EXPECT_EQ(embeddedInt("select n from t_order"), 123);
}

TEST_F(CreateRunTest, AFailingStatementSkipsTheRestClosesWithoutADialogAndEndsWithTwo) {
    script("DBSRC/01_A.SQL",
           "CREATE TABLE t1 (n INTEGER);\nINSERT INTO t1 VALUES (1);\nINSERT INTO nowhere VALUES (2);\n"
           "INSERT INTO t1 VALUES (3);\n");
    script("DBSRC/02_B.SQL", "INSERT INTO t1 VALUES (4);\n");
    runCreateMode();

    const QStringList& log = view.log.lines();
    const int failure = log.indexOf("Niepodzenie linia:3");
    ASSERT_GE(failure, 0) << log.join('\n').toStdString();
    EXPECT_EQ(log.at(failure + 1), "INSERT INTO nowhere VALUES (2)");
    // The database error text follows, several lines of it.
    EXPECT_EQ(log.at(failure + 2), "Dynamic SQL Error");
    EXPECT_TRUE(log.mid(failure + 2).join('\n').contains("NOWHERE")) << log.join('\n').toStdString();
    EXPECT_TRUE(log.contains("Wystąpił błąd - niezgodna struktura bazy danych - pomijam wykonanie:02_B"));
    EXPECT_TRUE(view.logRed);
    EXPECT_TRUE(view.closed);
    EXPECT_TRUE(view.dialogs.empty());
    EXPECT_EQ(form->exitCode(), 2);
    // The failed file's earlier insert is committed by the final disconnect; nothing after it ran.
    EXPECT_EQ(embeddedInt("select count(*) from t1"), 1);
}

TEST_F(CreateRunTest, AnUnreadableStatementStopsOnlyItsFileAndTheRunGoesOn) {
    script("DBSRC/01_A.SQL", "CREATE TABLE t1 (n INTEGER);\nINPUT 'inny.sql';\nINSERT INTO t1 VALUES (1);\n");
    script("DBSRC/02_B.SQL", "INSERT INTO t1 VALUES (2);\nCOMMIT;\n");
    runCreateMode();

    const QStringList& log = view.log.lines();
    EXPECT_TRUE(log.contains("Błąd parsowania: INPUT 'inny.sql'")) << log.join('\n').toStdString();
    EXPECT_FALSE(log.join('\n').contains("pomijam wykonanie"));
    EXPECT_FALSE(view.logRed);
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(form->exitCode(), 2);
    EXPECT_EQ(embeddedInt("select sum(n) from t1"), 2);
}

TEST_F(CreateRunTest, TwoHundredFiftyStatementsMoveTheBarTwice) {
    QString text = "CREATE TABLE t1 (n INTEGER);\n";
    for (int i = 1; i < 250; ++i)
        text += QStringLiteral("INSERT INTO t1 VALUES (%1);\n").arg(i);
    script("DBSRC/01_A.SQL", text);
    runCreateMode();

    EXPECT_EQ(form->exitCode(), 0);
    EXPECT_DOUBLE_EQ(view.progress.maximum(), 249.0);
    EXPECT_DOUBLE_EQ(view.progress.position(), 200.0);
    EXPECT_EQ(embeddedInt("select count(*) from t1"), 249);
}

TEST_F(CreateRunTest, EachScriptLogsSetsTheBarRunsOrSkipsUnderTheBusyCursorThenChecksAndPumps) {
    script("DBSRC/01_A.SQL", "CREATE TABLE t1 (n INTEGER);\nINSERT INTO nowhere VALUES (1);\n");
    script("DBSRC/02_B.SQL", "INSERT INTO t1 VALUES (4);\n");
    show({QString(), databasePath(), QStringLiteral("SYSDBA"), kAdminPassword, QStringLiteral("T")});
    view.journal.clear();
    form->tmrPrzetwarzanieTimer();

    // The database error text is the engine's; only its first line is fixed.
    QStringList journal = view.journal;
    for (QString& entry : journal)
        if (entry.startsWith("log Dynamic SQL Error\r\n"))
            entry = "log <error text>";
    const QString at = QStringLiteral(":") + databasePath();
    const QStringList expected = {
        "clear log",
        "close off",
        "log Tworzenie bazy: " + at,
        "log Podłączanie do bazy: " + at,
        "log Połączono z bazą",
        "log Przetwarzanie... 01_A",
        "maximum 1",
        "repaint",
        "cursor busy",
        "log Niepodzenie linia:2",
        "log INSERT INTO nowhere VALUES (1)",
        "log <error text>",
        "log red",
        "cursor normal",
        "log Przetwarzanie zakoczone: 01_A",
        "checked 1",
        "pump",
        "log Przetwarzanie... 02_B",
        "maximum 0",
        "repaint",
        "cursor busy",
        "log Wystąpił błąd - niezgodna struktura bazy danych - pomijam wykonanie:02_B",
        "cursor normal",
        "log Przetwarzanie zakoczone: 02_B",
        "checked 2",
        "pump",
        "log Baza odłączona",
    };
    EXPECT_EQ(journal, expected) << view.journal.join('\n').toStdString();
    EXPECT_TRUE(view.closed);
}

// The bar moves by 100 for every 100 statements of a file, counting afresh in each file; the position
// carries over from file to file and is held to the current file's number of lines minus 1.
struct ProgressCase : NamedCase {
    std::vector<std::pair<int, int>> files; // executed statements, blank lines added at the end
    double maximum;
    double position;
};

class ProgressTest : public CreateRunTest, public testing::WithParamInterface<ProgressCase> {};

TEST_P(ProgressTest, MovesByHundredsPerFile) {
    const ProgressCase& c = GetParam();
    for (std::size_t file = 0; file < c.files.size(); ++file) {
        const auto [statements, blankLines] = c.files[file];
        script(QStringLiteral("DBSRC/%1.SQL").arg(file + 10),
               QString("COMMIT;\n").repeated(statements) + QString("\n").repeated(blankLines));
    }
    runCreateMode();

    EXPECT_EQ(form->exitCode(), 0);
    EXPECT_DOUBLE_EQ(view.progress.maximum(), c.maximum);
    EXPECT_DOUBLE_EQ(view.progress.position(), c.position);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgressTest,
                         testing::Values(ProgressCase{"FewerThanHundredDoNotMove", {{99, 0}}, 98, 0},
                                         ProgressCase{"HundredMovesOnce", {{100, 0}}, 99, 99},
                                         ProgressCase{"TwoHundredFiftyMoveTwice", {{250, 0}}, 249, 200},
                                         ProgressCase{"CountStartsAgainInEachFile", {{150, 0}, {60, 440}}, 499, 100},
                                         ProgressCase{"PositionCarriesOver", {{150, 0}, {100, 400}}, 499, 200},
                                         ProgressCase{"HeldToTheSmallerMaximum", {{250, 0}, {120, 0}}, 119, 119}),
                         CaseName{});

TEST_F(CreateRunTest, AScriptDeletedAfterListingEndsTheRunThroughTheGuard) {
    writeOrderedScripts();
    show({QString(), databasePath(), QStringLiteral("SYSDBA"), kAdminPassword, QStringLiteral("T")});
    ASSERT_TRUE(QFile::remove(folder() + "DBSRC/02_B.SQL"));
    form->tmrPrzetwarzanieTimer();

    EXPECT_EQ(view.dialogs, std::vector<ShownDialog>({{Kind::Error, "Błąd wykonania skryptu. Przerywam działanie."}}));
    EXPECT_TRUE(view.log.lines().last().contains("02_B.SQL")) << view.log.lines().last().toStdString();
    EXPECT_EQ(runLogBytes(), expectedRunLog());
    EXPECT_EQ(checkedEntries(), QStringList({"00_TABELA", "01_A"}));
    EXPECT_FALSE(view.closed);
    EXPECT_TRUE(view.close);
    EXPECT_EQ(view.currentCursor, Cursor::Normal);
    EXPECT_EQ(form->exitCode(), 3);
}

TEST_F(CreateRunTest, AnUnwritableRunLogStillGivesCloseBack) {
    writeOrderedScripts();
    ASSERT_TRUE(QDir(folder()).mkdir("log.txt"));
    runCreateMode();

    ASSERT_FALSE(view.dialogs.empty());
    EXPECT_EQ(view.dialogs.front().kind, Kind::Error);
    EXPECT_TRUE(view.dialogs.back().text.startsWith("Nie zapisano przebiegu wykonania: "));
    EXPECT_TRUE(view.log.lines().last().startsWith("Nie zapisano przebiegu wykonania: "));
    EXPECT_FALSE(view.closed);
    EXPECT_TRUE(view.close);
    EXPECT_EQ(view.currentCursor, Cursor::Normal);
    EXPECT_EQ(form->exitCode(), 3);
}

TEST_F(CreateRunTest, AFailedCreationLeavesTheWindowOpenWithClose) {
    writeOrderedScripts();
    QFile existing(databasePath());
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("not a database");
    existing.close();
    runCreateMode();

    EXPECT_TRUE(hasDialog(Kind::Plain, "Nie utworzono bazy danych. Skontaktuj się z dostawcą oprogramowania."));
    EXPECT_FALSE(view.log.lines().join('\n').contains("Przetwarzanie"));
    EXPECT_FALSE(view.closed);
    EXPECT_TRUE(view.close);
    EXPECT_EQ(form->exitCode(), 3);
    // log.txt tells of this run, not of an earlier one.
    EXPECT_EQ(runLogBytes(), expectedRunLog());
}

TEST_F(CreateRunTest, ClosingBeforeTheRunEndsWithThree) {
    show({QString(), databasePath(), QStringLiteral("SYSDBA"), kAdminPassword, QStringLiteral("T")});
    form->btnzakonczClick();
    EXPECT_EQ(form->exitCode(), 3);
}

} // namespace
} // namespace akt::test
