// Which kind each statement gets, and the words the executor reads.
#include "parse_results.h"

#include <gtest/gtest.h>

namespace akt::test {
namespace {

using K = StatementKind;

struct KindCase {
    const char* statement; // given with its terminator, as it stands in a script
    StatementKind kind;    // stmtERR: delivered as the parse error "Invalid statement"
};

void PrintTo(const KindCase& c, std::ostream* os) {
    *os << c.statement;
}

class Classification : public ::testing::TestWithParam<KindCase> {};

TEST_P(Classification, GivesKind) {
    const ParseResult result = firstResult({GetParam().statement});
    if (GetParam().kind == K::stmtERR) {
        const auto* error = std::get_if<ParseError>(&result);
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->errorText, "Invalid statement");
    } else {
        const auto* statement = std::get_if<ScriptStatement>(&result);
        ASSERT_NE(statement, nullptr);
        EXPECT_STREQ(statementKindName(statement->kind), statementKindName(GetParam().kind));
    }
}

const KindCase kKindCases[] = {
    {"COMMIT;", K::stmtCOMMIT},
    {"commit work retaining;", K::stmtCOMMIT},
    {"COMMIT RETAINING;", K::stmtCOMMITRetaining},
    {"commit retaining;", K::stmtCOMMITRetaining}, // last word in capitals before the terminator
    {"COMMIT retaining ;", K::stmtERR},            // RETAINING compared exactly
    {"COMMIT RETAINING ;", K::stmtCOMMITRetaining},
    {"COMMIT WORK;", K::stmtERR},
    {"ROLLBACK;", K::stmtROLLBACK},
    {"ROLLBACK RETAINING;", K::stmtROLLBACKRetaining},
    {"rollback retaining;", K::stmtROLLBACKRetaining},
    {"ROLLBACK retaining ;", K::stmtERR},
    {"ROLLBACK TO SAVEPOINT sp1;", K::stmtRollbackSavePoint},
    {"rollback to sp1;", K::stmtRollbackSavePoint},
    {"ROLLBACK WORK TO SAVEPOINT sp1;", K::stmtRollbackSavePoint},
    {"ROLLBACK WORK;", K::stmtERR},
    {"RECONNECT;", K::stmtReconnect},
    {"SAVEPOINT sp1;", K::stmtStartSavepoint},
    {"SAVEPOINT;", K::stmtStartSavepoint},
    {"SELECT;", K::stmtERR}, // any other single word
    {"BATCH START;", K::stmtBatchStart},
    {"batch execute;", K::stmtBatchExecute},
    {"BATCH STOP;", K::stmtERR},
    {"RELEASE SAVEPOINT sp1;", K::stmtReleaseSavePoint},
    {"RELEASE sp1;", K::stmtERR},
    {"INSERT INTO t VALUES (1);", K::stmtDML},
    {"update t set a = 1;", K::stmtDML},
    {"DELETE FROM t;", K::stmtDML},
    {"SELECT * FROM t;", K::stmtDML},
    {"EXECUTE PROCEDURE p;", K::stmtDML},
    {"INPUT 'other.sql';", K::stmtINPUT},
    {"CONNECT 'db.fdb';", K::stmtCONNECT},
    {"CREATE DATABASE 'db.fdb';", K::stmtCREATE},
    {"create schema 'db.fdb';", K::stmtCREATE},
    {"DROP DATABASE;", K::stmtDrop},
    {"DECLARE EXTERNAL FUNCTION f ENTRY_POINT 'f' MODULE_NAME 'm';", K::stmtDDL},
    {"CREATE TABLE t (a int);", K::stmtDDL},
    {"ALTER TABLE t ADD b int;", K::stmtDDL},
    {"GRANT ALL ON t TO PUBLIC;", K::stmtDDL},
    {"REVOKE ALL ON t FROM PUBLIC;", K::stmtDDL},
    {"DROP TABLE t;", K::stmtDDL},
    {"SET GENERATOR g TO 5;", K::stmtDDL},
    {"SET STATISTICS INDEX i;", K::stmtDDL},
    {"SET TERM ^ ;", K::stmtTERM},
    {"SET TERM;", K::stmtERR},
    // A terminator that would open or close a quote or a comment, or hold white space, is refused.
    {"SET TERM /* ;", K::stmtERR},
    {"SET TERM */ ;", K::stmtERR},
    {"SET TERM a/*b ;", K::stmtERR},
    {"SET TERM ' ;", K::stmtERR},
    {"SET TERM \" ;", K::stmtERR},
    {"SET TERM 'a b' ;", K::stmtERR},
    {"SET TERM a\tb ;", K::stmtERR},
    {"SET TERM / ;", K::stmtTERM},
    {"SET TERM * ;", K::stmtTERM},
    {"SET TERM !! ;", K::stmtTERM},
    {"SET SQL DIALECT 3;", K::stmtSET},
    {"SET SQL DIALECT;", K::stmtERR},
    {"SET AUTODDL OFF;", K::stmtSET},
    {"set statistics on;", K::stmtSET},
    {"SET NAMES WIN1250;", K::stmtSET},
    {"SET SAVEPOINTS OFF;", K::stmtSET},
    {"SET AUTODDL;", K::stmtERR},
    {"SET AUTODDL ON NOW;", K::stmtERR},
    {"SET TRANSACTION;", K::stmtERR},
    {"SET TRANSACTION READ COMMITTED;", K::stmtERR},
    {"RECREATE TABLE t (a int);", K::stmtERR},
    {"COMMENT ON TABLE t IS 'x';", K::stmtERR},
    {"MERGE INTO t USING s ON t.a = s.a WHEN MATCHED THEN DELETE;", K::stmtERR},
    {"WITH x AS (SELECT 1 FROM t) SELECT * FROM x;", K::stmtERR},
    {"-- note;", K::stmtERR},
};

INSTANTIATE_TEST_SUITE_P(Table, Classification, ::testing::ValuesIn(kKindCases));

struct WordsCase {
    std::vector<std::string> lines;
    std::vector<std::string> words;
};

void PrintTo(const WordsCase& c, std::ostream* os) {
    *os << c.lines.front();
}

class Words : public ::testing::TestWithParam<WordsCase> {};

TEST_P(Words, AreCutAtBlanksLineEndsAndClosingQuotes) {
    const ParseResult result = firstResult(GetParam().lines);
    const auto* statement = std::get_if<ScriptStatement>(&result);
    ASSERT_NE(statement, nullptr);
    EXPECT_EQ(statement->words, GetParam().words);
}

const WordsCase kWordsCases[] = {
    {{"set autoddl off;"}, {"set", "autoddl", "OFF"}},  // last word before the terminator in capitals
    {{"set autoddl off ;"}, {"set", "autoddl", "off"}}, // not when a blank stands between
    {{"set autoddl off"}, {"set", "autoddl", "off"}},   // nor at the end of the script
    {{"set autoddl", "off;"}, {"set", "autoddl", "OFF"}},
    {{"SET\t AUTODDL \t OFF\t;"}, {"SET", "AUTODDL", "OFF"}},      // tabs trimmed, not separators
    {{"SELECT 'a b'x FROM t;"}, {"SELECT", "'a b'", "x", "FROM"}}, // a word ends after its closing quote
    {{"SET SQL DIALECT 3;"}, {"SET", "SQL", "DIALECT", "3"}},
    {{"INSERT INTO t VALUES (1, 2, 3);"}, {"INSERT", "INTO", "t", "VALUES"}}, // only the first four kept
    // Outside SET, a long word is kept by its first 64 bytes; a SET statement keeps it whole.
    {{"INSERT INTO t VALUES('" + std::string(100, 'x') + "');"},
     {"INSERT", "INTO", "t", "VALUES('" + std::string(56, 'x')}},
    {{"SELECT '" + std::string(10, 'x'), std::string(100, 'y') + "' FROM t;"},
     {"SELECT", "'" + std::string(10, 'x') + "\r\n" + std::string(51, 'y'), "FROM", "T"}},
    {{"SET NAMES " + std::string(100, 'n') + ";"}, {"SET", "NAMES", std::string(100, 'N')}},
    {{"SET NAMES '", std::string(100, 'n') + "' ;"}, {"SET", "NAMES", "'\r\n" + std::string(100, 'n') + "'"}},
};

INSTANTIATE_TEST_SUITE_P(Table, Words, ::testing::ValuesIn(kWordsCases));

} // namespace
} // namespace akt::test
