// Batches of plain DML: which statements join one, and that a run with batches gives the same events,
// error texts and database as a run without them.
#include "batch_side.h"

#include "tests/common/case_name.h"
#include "update/executor/dml_batch.h"
#include "update/parser/script_parser.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace akt::test {
namespace {

ScriptStatement firstStatement(const char* script) {
    ScriptParser parser;
    parser.start(ScriptLines::fromBytes(script));
    ParseResult result = parser.next();
    return std::holds_alternative<ScriptStatement>(result) ? std::get<ScriptStatement>(result) : ScriptStatement();
}

struct ContextsCase : NamedCase {
    const char* script;
    std::optional<int> expected; // nothing: the statement runs alone
};

class BatchContexts : public testing::TestWithParam<ContextsCase> {};

TEST_P(BatchContexts, OnlyPlainDmlJoinsABatch) {
    EXPECT_EQ(batchContexts(firstStatement(GetParam().script)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Statements, BatchContexts,
    testing::Values(ContextsCase{"Insert", "INSERT INTO T VALUES (1, 'a');", 1},
                    ContextsCase{"DeleteFrom", "delete from t where id = 1;", 1},
                    ContextsCase{"Update", "UPDATE T SET S = 'a' WHERE ID = 1;", 2},
                    ContextsCase{"UpdateOrInsert", "UPDATE OR INSERT INTO T (ID) VALUES (1) MATCHING (ID);", 3},
                    ContextsCase{"InsertSelect", "INSERT INTO T SELECT ID, S FROM U;", 5},
                    ContextsCase{"SubqueryInUpdate", "UPDATE T SET S = (SELECT MAX(S) FROM U JOIN V ON V.ID = U.ID);",
                                 8},
                    ContextsCase{"TerminatorInAString", "INSERT INTO T VALUES (1, 'a;b');", 1},
                    ContextsCase{"DoubledQuotes", "INSERT INTO T VALUES (1, 'it''s ? : now');", 1},
                    ContextsCase{"MomentInsideALongerText", "INSERT INTO T VALUES (1, 'right now');", 1},
                    ContextsCase{"ReturningInAComment", "INSERT INTO T VALUES (1) /* RETURNING */;", 1},
                    ContextsCase{"ReturningAsQuotedName", "INSERT INTO T (\"RETURNING\") VALUES (1);", 1},
                    ContextsCase{"MarkerInALineComment", "INSERT INTO T VALUES (1) -- why ?\r\n;", 1},
                    ContextsCase{"Returning", "INSERT INTO T VALUES (1) RETURNING ID;", std::nullopt},
                    ContextsCase{"ParameterMarker", "INSERT INTO T VALUES (?);", std::nullopt},
                    ContextsCase{"Colon", "UPDATE T SET S = :S;", std::nullopt},
                    ContextsCase{"CurrentTimestamp", "INSERT INTO T VALUES (1, current_timestamp);", std::nullopt},
                    ContextsCase{"CurrentDate", "UPDATE T SET D = CURRENT_DATE;", std::nullopt},
                    ContextsCase{"LocalTime", "UPDATE T SET D = LOCALTIME;", std::nullopt},
                    ContextsCase{"NowLiteral", "INSERT INTO T VALUES (1, CAST('Now' AS TIMESTAMP));", std::nullopt},
                    ContextsCase{"TodayLiteral", "INSERT INTO T VALUES (1, ' today ');", std::nullopt},
                    ContextsCase{"SqlCode", "UPDATE T SET N = SQLCODE;", std::nullopt},
                    ContextsCase{"RowCount", "UPDATE T SET N = ROW_COUNT;", std::nullopt},
                    ContextsCase{"QString", "INSERT INTO T VALUES (q'{it's}');", std::nullopt},
                    ContextsCase{"SemicolonOfItsOwn",
                                 "SET TERM ^ ;\r\nINSERT INTO T VALUES (1); INSERT INTO T VALUES (2)^", std::nullopt},
                    ContextsCase{"UnclosedString", "SET TERM ^ ;\r\nINSERT INTO T VALUES ('a)^", std::nullopt},
                    ContextsCase{"Select", "SELECT * FROM T;", std::nullopt},
                    ContextsCase{"ExecuteProcedure", "EXECUTE PROCEDURE P;", std::nullopt},
                    ContextsCase{"Ddl", "CREATE TABLE T (ID INTEGER);", std::nullopt}),
    CaseName{});

TEST(DmlBatchText, PutsEachSeparatorOnALineOfItsOwn) {
    DmlBatch batch;
    batch.add(firstStatement("INSERT INTO T VALUES (1) -- one;"), 1);
    batch.add(firstStatement("DELETE FROM T;"), 1);

    EXPECT_EQ(batch.blockText(),
              "EXECUTE BLOCK AS BEGIN\r\nINSERT INTO T VALUES (1) -- one\r\n;\r\nDELETE FROM T\r\n;\r\nEND");
}

struct ComparisonCase : NamedCase {
    QByteArray script;
    int batchesSent;   // by the side with batches
    int batchesUndone; // blocks the engine refused, whose statements then ran alone
    bool ignoreErrors = false;
};

class BatchedAndSingle : public testing::TestWithParam<ComparisonCase> {
protected:
    QTemporaryDir folder;
};

TEST_P(BatchedAndSingle, GiveTheSameEventsAndDatabase) {
    const ComparisonCase& c = GetParam();
    Side batched(folder.filePath("batched.fdb"), true);
    Side single(folder.filePath("single.fdb"), false);
    batched.ignoreErrors = single.ignoreErrors = c.ignoreErrors;

    batched.run(c.script);
    single.run(c.script);

    EXPECT_EQ(batched.events, single.events);
    EXPECT_EQ(batched.contents(), single.contents());
    EXPECT_FALSE(single.contents().isEmpty());
    EXPECT_EQ(batched.executor.batchCounts().sent, c.batchesSent) << batched.events.join("\n").toStdString();
    EXPECT_EQ(batched.executor.batchCounts().undone, c.batchesUndone);
    EXPECT_EQ(single.executor.batchCounts().sent + single.executor.batchCounts().undone, 0);
}

QByteArray inserts(int from, int to, const char* table = "T") {
    QByteArray text;
    for (int i = from; i <= to; ++i)
        text += "INSERT INTO " + QByteArray(table) + " VALUES (" + QByteArray::number(i) + ", 'w" +
                QByteArray::number(i) + "');\r\n";
    return text;
}

const QByteArray kTable = "CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, S VARCHAR(40));\r\n";

INSTANTIATE_TEST_SUITE_P(
    Scripts, BatchedAndSingle,
    testing::Values(
        ComparisonCase{"FailureInTheFirstStatement", kTable + "INSERT INTO T VALUES (1, 'a');\r\n" + inserts(1, 5), 0,
                       1},
        ComparisonCase{"FailureInAMiddleStatement", kTable + inserts(1, 5) + inserts(3, 3) + inserts(6, 9), 0, 1},
        ComparisonCase{"FailureInTheLastStatement", kTable + inserts(1, 5) + inserts(5, 5), 0, 1},
        ComparisonCase{"IgnoredFailureGoesOn", kTable + inserts(1, 5) + inserts(3, 3) + inserts(6, 9), 0, 1, true},
        ComparisonCase{"CutByEveryOtherKind",
                       kTable + inserts(1, 2) + "CREATE TABLE U (ID INTEGER);\r\n" + inserts(3, 4) + "COMMIT;\r\n" +
                           inserts(5, 6) + "ROLLBACK;\r\n" + inserts(7, 8) + "SET AUTODDL ON;\r\n" + inserts(9, 10) +
                           "SAVEPOINT A;\r\n" + inserts(11, 12) + "SELECT * FROM T;\r\n" + inserts(13, 14) +
                           "SET TERM ^ ;\r\nEXECUTE BLOCK AS BEGIN INSERT INTO U VALUES (1); END^\r\n"
                           "INSERT INTO T VALUES (15, 'a')^\r\nINSERT INTO T VALUES (16, 'b')^\r\n"
                           "CREATE PROCEDURE P AS BEGIN INSERT INTO U VALUES (2); END^\r\n"
                           "INSERT INTO T VALUES (17, 'a')^\r\nINSERT INTO T VALUES (18, 'b')^\r\n"
                           "EXECUTE PROCEDURE P^\r\nSET TERM ; ^\r\n" +
                           inserts(19, 20) + "INSERT INTO T VALUES (21, 'r') RETURNING ID;\r\n" + inserts(22, 23) +
                           "COMMIT RETAINING;\r\n",
                       11, 0},
        ComparisonCase{"TriggerRaisesAnException",
                       kTable +
                           "CREATE EXCEPTION NIE 'Nie wolno';\r\nSET TERM ^ ;\r\n"
                           "CREATE TRIGGER T_BI FOR T BEFORE INSERT AS BEGIN IF (NEW.ID = 4) THEN "
                           "EXCEPTION NIE; END^\r\nSET TERM ; ^\r\n" +
                           inserts(1, 6),
                       0, 1},
        ComparisonCase{"GeneratorInTheInserts",
                       "CREATE TABLE T (ID INTEGER, S VARCHAR(40));\r\nCREATE GENERATOR G;\r\n"
                       "INSERT INTO T VALUES (GEN_ID(G, 1), 'a');\r\nINSERT INTO T VALUES (NEXT VALUE FOR G, 'b');\r\n"
                       "UPDATE T SET S = S || GEN_ID(G, 10);\r\nINSERT INTO T VALUES (GEN_ID(G, 1), 'c');\r\n",
                       1, 0},
        ComparisonCase{"TerminatorsQuotesAndPolishLetters",
                       kTable + "INSERT INTO T VALUES (1, 'a;b');\r\nINSERT INTO T VALUES (2, 'it''s \"q\"');\r\n"
                                "INSERT INTO T VALUES (3, '\xbf\xf3\xb3w \xa3\xf3"
                                "d\x9f');\r\n"
                                "SET TERM ^ ;\r\nINSERT INTO T VALUES (4, '^ and ;')^\r\n"
                                "INSERT INTO T VALUES (5, 'end;')^\r\nSET TERM ; ^\r\n"
                                "INSERT INTO T VALUES (6, '/* not a comment */');\r\n"
                                "INSERT INTO T VALUES (7, 'x') -- trailing comment\r\n;\r\n",
                       3, 0},
        ComparisonCase{"ExactlyTheStatementLimit", kTable + inserts(1, int(DmlBatch::kMaxStatements)), 1, 0},
        ComparisonCase{"OneOverTheStatementLimit", kTable + inserts(1, int(DmlBatch::kMaxStatements) + 1), 1, 0},
        // Two contexts per UPDATE: 128 of them take the engine's 256 exactly.
        ComparisonCase{"UpdatesExactlyAtTheContextLimit",
                       kTable + inserts(1, 10) + "COMMIT;\r\n" +
                           [] {
                               QByteArray text;
                               for (int i = 0; i < DmlBatch::kMaxContexts / 2; ++i)
                                   text += "UPDATE T SET S = 'u" + QByteArray::number(i) +
                                           "' WHERE ID = " + QByteArray::number(i % 10 + 1) + ";\r\n";
                               return text;
                           }(),
                       2, 0},
        ComparisonCase{"UpdatesFillingTheLimit",
                       kTable + inserts(1, 10) +
                           [] {
                               QByteArray text;
                               for (int i = 0; i < DmlBatch::kMaxContexts / 2 + 1; ++i)
                                   text += "UPDATE T SET S = 'u" + QByteArray::number(i) +
                                           "' WHERE ID = " + QByteArray::number(i % 10 + 1) + ";\r\n";
                               return text;
                           }(),
                       2, 0},
        // Tables listed with commas take a context each where the count sees one FROM: nine contexts per
        // statement where five were counted. The first block is refused, its statements run alone, and later
        // blocks take half as many.
        ComparisonCase{"CommaJoinsTakeMoreContextsThanCounted",
                       kTable + "CREATE TABLE X (ID INTEGER);\r\n" + inserts(1, 3) + "COMMIT;\r\n" +
                           [] {
                               QByteArray text;
                               for (int i = 0; i < 100; ++i)
                                   text += "INSERT INTO X SELECT A.ID FROM T A, T B, T C, T D, T E, T F, T G, T H "
                                           "WHERE A.ID = " +
                                           QByteArray::number(i % 3 + 1) + " AND B.ID = A.ID;\r\n";
                               return text;
                           }(),
                       3, 1},
        ComparisonCase{"AutoDdlOffWithDmlAfterUncommittedDdl",
                       "SET AUTODDL OFF;\r\n" + kTable + "COMMIT;\r\n" + inserts(1, 3) +
                           "CREATE TABLE U (ID INTEGER, S VARCHAR(9));\r\n" + inserts(4, 6) + "COMMIT;\r\n" +
                           inserts(1, 3, "U") + inserts(7, 8) + "CREATE TABLE V (ID INTEGER, S VARCHAR(9));\r\n" +
                           inserts(1, 2, "V"),
                       3, 1},
        ComparisonCase{"ParseErrorAfterBatchedStatements", kTable + inserts(1, 4) + "INSERT INTO T VALUES (5, 'x", 1,
                       0},
        ComparisonCase{"RollbackUndoesABatch", kTable + "COMMIT;\r\n" + inserts(1, 4) + "ROLLBACK;\r\n" + inserts(5, 6),
                       2, 0}),
    CaseName{});

// Seven statements padded with a comment so that their block is exactly the text limit long, then seven
// more: two blocks of seven, each of the limit's length, and the engine runs both.
TEST(BatchTextLimit, ABlockOfExactlyTheLimitRuns) {
    constexpr std::size_t kFrame = sizeof("EXECUTE BLOCK AS BEGIN\r\n") - 1 + sizeof("END") - 1;
    constexpr std::size_t kSeparator = sizeof("\r\n;\r\n") - 1;
    const std::size_t share = (DmlBatch::kMaxTextBytes - kFrame) / 7;
    QByteArray script = kTable;
    for (int i = 1; i <= 14; ++i) {
        QByteArray statement = "INSERT INTO T VALUES (" + QByteArray::number(i) + ", 'x') /*";
        const std::size_t length =
            i % 7 == 0 ? DmlBatch::kMaxTextBytes - kFrame - 6 * share - kSeparator : share - kSeparator;
        statement += QByteArray(qsizetype(length - statement.size() - 2), 'c') + "*/";
        script += statement + ";\r\n";
    }
    QTemporaryDir folder;
    Side batched(folder.filePath("batched.fdb"), true);
    Side single(folder.filePath("single.fdb"), false);

    batched.run(script);
    single.run(script);

    EXPECT_EQ(batched.events, single.events);
    EXPECT_EQ(batched.contents(), single.contents());
    EXPECT_EQ(batched.executor.batchCounts().sent, 2);
    EXPECT_EQ(batched.executor.batchCounts().undone, 0);
    EXPECT_EQ(batched.executor.batchCounts().largestBytes, DmlBatch::kMaxTextBytes);
}

} // namespace
} // namespace akt::test
