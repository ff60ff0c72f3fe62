// Where statements begin and end, their texts and line indexes.
#include "parse_results.h"
#include "tests/common/case_name.h"

#include <gtest/gtest.h>

namespace akt::test {
namespace {

struct CuttingCase : NamedCase {
    std::vector<std::string> lines;
    std::vector<std::string> expected;
};

class Cutting : public ::testing::TestWithParam<CuttingCase> {};

TEST_P(Cutting, DeliversStatementsInOrder) {
    EXPECT_EQ(parseAll(GetParam().lines), GetParam().expected);
}

const CuttingCase kCuttingCases[] = {
    {"TwoStatementsOnOneLineShareItsIndex",
     {"CREATE TABLE t (a int); INSERT INTO t VALUES (1);"},
     {"stmtDDL@1:CREATE TABLE t (a int)", "stmtDML@1:INSERT INTO t VALUES (1)"}},
    {"DashCommentLineMakesFirstStatementInvalidAndStopsFile",
     {"-- creates the table", "CREATE TABLE t (a int);", "INSERT INTO t VALUES (1);"},
     {"Invalid statement@1:-- creates the table|CREATE TABLE t (a int)"}},
    {"ApostropheInDashCommentOpensString",
     {"COMMIT;", "-- don't", "INSERT INTO t VALUES (1);"},
     {"stmtCOMMIT@1:COMMIT", "Invalid statement@2:-- don't|INSERT INTO t VALUES (1);"}},
    {"DashCommentAfterTerminatorIsInvalidStatement",
     {"COMMIT; -- done", "COMMIT;"},
     {"stmtCOMMIT@1:COMMIT", "Invalid statement@1:-- done|COMMIT"}},
    {"ProcedureBodyKeepsItsSemicolons",
     {"CREATE PROCEDURE p AS", "DECLARE x INT;", "BEGIN", "  x = 1;", "  SUSPEND;", "END;", "COMMIT;"},
     {"stmtDDL@1:CREATE PROCEDURE p AS|DECLARE x INT;|BEGIN|  x = 1;|  SUSPEND;|END", "stmtCOMMIT@7:COMMIT"}},
    {"ProcedureEndsAtEndBlankSemicolonAndLineGoesOn",
     {"alter procedure p as begin x = 1; end ; COMMIT;"},
     {"stmtDDL@1:alter procedure p as begin x = 1; end", "stmtCOMMIT@1:COMMIT"}},
    {"TriggerEndsAtEndSemicolonAndLineGoesOn",
     {"CREATE TRIGGER tr FOR t BEFORE INSERT AS BEGIN new.a = 1; END; INSERT INTO t VALUES (2);"},
     {"stmtDDL@1:CREATE TRIGGER tr FOR t BEFORE INSERT AS BEGIN new.a = 1; END", "stmtDML@1:INSERT INTO t VALUES (2)"}},
    {"ProcedureEndInsideStringDoesNotEndIt",
     {"CREATE PROCEDURE p AS BEGIN x = ' END; '; END;"},
     {"stmtDDL@1:CREATE PROCEDURE p AS BEGIN x = ' END; '; END"}},
    {"AlterTriggerInactive",
     {"ALTER TRIGGER tr INACTIVE;", "ALTER TRIGGER tr ACTIVE ;", "COMMIT;"},
     {"stmtDDL@1:ALTER TRIGGER tr INACTIVE", "stmtDDL@2:ALTER TRIGGER tr ACTIVE ", "stmtCOMMIT@3:COMMIT"}},
    {"ProcedureRuleOnlyWhileTerminatorIsSemicolon",
     {"SET TERM ^ ;", "CREATE PROCEDURE p AS BEGIN x = 1; END^", "SET TERM ; ^", "COMMIT;"},
     {"stmtTERM@1:SET TERM ^ ", "stmtDDL@2:CREATE PROCEDURE p AS BEGIN x = 1; END", "stmtTERM@3:SET TERM ; ",
      "stmtCOMMIT@4:COMMIT"}},
    {"ProcedureWithoutEndRunsToEndOfScript",
     {"CREATE PROCEDURE p AS BEGIN x = 1;", "COMMIT;"},
     {"stmtDDL@1:CREATE PROCEDURE p AS BEGIN x = 1;|COMMIT;"}},
    {"LastStatementWithoutTerminatorIsDelivered",
     {"CREATE TABLE t (a int);", "INSERT INTO t VALUES (1)"},
     {"stmtDDL@1:CREATE TABLE t (a int)", "stmtDML@2:INSERT INTO t VALUES (1)"}},
    {"TabDoesNotSeparateKeywords", {"CREATE\tTABLE t (a int);"}, {"Invalid statement@1:CREATE\tTABLE t (a int)"}},
    {"SemicolonInStringDoesNotCut",
     {"INSERT INTO t VALUES ('a;b', 'it''s;');"},
     {"stmtDML@1:INSERT INTO t VALUES ('a;b', 'it''s;')"}},
    {"SemicolonInQuotedIdentifierDoesNotCut", {"SELECT \"a;b\" FROM t;"}, {"stmtDML@1:SELECT \"a;b\" FROM t"}},
    {"SemicolonInCommentDoesNotCut",
     {"INSERT INTO t /* ; */ VALUES (1);"},
     {"stmtDML@1:INSERT INTO t /* ; */ VALUES (1)"}},
    {"SemicolonInsideWordCuts",
     {"INSERT INTO t VALUES(1);INSERT INTO t VALUES(2);"},
     {"stmtDML@1:INSERT INTO t VALUES(1)", "stmtDML@1:INSERT INTO t VALUES(2)"}},
    {"LineBreaksJoinedWithCrLf",
     {"INSERT INTO t", "  VALUES ('a", "b');"},
     {"stmtDML@1:INSERT INTO t|  VALUES ('a|b')"}},
    {"BlanksAndLineBreaksBeforeTerminatorStay",
     {"COMMIT   ;", "INSERT INTO t VALUES (1)", ";"},
     {"stmtCOMMIT@1:COMMIT   ", "stmtDML@2:INSERT INTO t VALUES (1)|"}},
    {"BlankLinesAndEmptyStatementsSkipped",
     {"", "  ;;", "/* nothing */ ;", "", "\tCOMMIT;", ""},
     {"stmtCOMMIT@5:COMMIT"}},
    {"LeadingBlockCommentGivesItsLine",
     {"/* creates", "   the table */", "", "CREATE TABLE t /* kept */ (a int);"},
     {"stmtDDL@1:CREATE TABLE t /* kept */ (a int)"}},
    {"UnclosedLeadingComment",
     {"COMMIT;", "", "/* never closed", "COMMIT;"},
     {"stmtCOMMIT@1:COMMIT", "Invalid Comment@3:"}},
    {"UnclosedStringTakesRestOfScript",
     {"INSERT INTO t VALUES ('abc);", "COMMIT;"},
     {"stmtDML@1:INSERT INTO t VALUES ('abc);|COMMIT;"}},
    {"LongTerminatorMatchedMidWordAndNotInStrings",
     {"SET TERM !! ;", "INSERT INTO t VALUES ('!!')!!INSERT INTO t VALUES (2) !!"},
     {"stmtTERM@1:SET TERM !! ", "stmtDML@2:INSERT INTO t VALUES ('!!')", "stmtDML@2:INSERT INTO t VALUES (2) "}},
    {"TerminatorIsCaseSensitiveAndInCapitals",
     {"SET TERM go;", "SELECT 1 FROM t go SELECT 2 FROM t GO"},
     {"stmtTERM@1:SET TERM go", "stmtDML@2:SELECT 1 FROM t go SELECT 2 FROM t "}},
    {"TerminatorLongerThanAWordOfText",
     {"SET TERM END_OF_STATEMENT;", "SELECT 1 FROM END_OF_STATEMEN END_OF_STATEMENTCOMMIT END_OF_STATEMENT"},
     {"stmtTERM@1:SET TERM END_OF_STATEMENT", "stmtDML@2:SELECT 1 FROM END_OF_STATEMEN ", "stmtCOMMIT@2:COMMIT "}},
    {"LongTerminatorAfterItsOwnPrefixes",
     {"SET TERM ABABABABAC;", "SELECT 1 FROM t ABABABABABABABACCOMMIT"},
     {"stmtTERM@1:SET TERM ABABABABAC", "stmtDML@2:SELECT 1 FROM t ABABAB", "stmtCOMMIT@2:COMMIT"}},
    {"ProcedureEndAndSemicolonOnLinesOfTheirOwn",
     {"CREATE TRIGGER tr FOR t AS BEGIN", "END", ";", "COMMIT;"},
     {"stmtDDL@1:CREATE TRIGGER tr FOR t AS BEGIN|END", "stmtCOMMIT@4:COMMIT"}},
    {"SetTermWithFourWordsIsInvalid", {"SET TERM ^ x;"}, {"Invalid statement@1:SET TERM ^ x"}},
    {"SetTermToCommentOpenerIsInvalid",
     {"COMMIT;", "SET TERM /* ;", "COMMIT;"},
     {"stmtCOMMIT@1:COMMIT", "Invalid statement@2:SET TERM /* ;|COMMIT;"}},
    {"SetTermToQuoteAcrossLinesIsInvalid", {"SET TERM '", "' ;", "COMMIT;"}, {"Invalid statement@1:SET TERM '|' "}},
    {"SetTermToWordWithCommentAcrossLinesIsInvalid",
     {"SET TERM x/*", "*/ ;", "COMMIT;"},
     {"Invalid statement@1:SET TERM x/*|*/ "}},
    {"CommentOpenedWhereTerminatorCouldBegin",
     {"SET TERM / ;", "/* first */ SELECT 1 FROM t /* note */ /", "COMMIT/"},
     {"stmtTERM@1:SET TERM / ", "stmtDML@2:SELECT 1 FROM t /* note */ ", "stmtCOMMIT@3:COMMIT"}},
};

INSTANTIATE_TEST_SUITE_P(Script, Cutting, ::testing::ValuesIn(kCuttingCases), CaseName{});

TEST(ScriptParser, ChangedTerminatorCutsTheNextFile) {
    ScriptParser parser;
    EXPECT_EQ(parseAll(parser, {"SET TERM ^ ;"}), std::vector<std::string>{"stmtTERM@1:SET TERM ^ "});
    EXPECT_EQ(parser.terminator(), "^");
    EXPECT_EQ(parseAll(parser, {"INSERT INTO t VALUES (1);", "INSERT INTO t VALUES (2);^COMMIT^"}),
              (std::vector<std::string>{"stmtDML@1:INSERT INTO t VALUES (1);|INSERT INTO t VALUES (2);",
                                        "stmtCOMMIT@2:COMMIT"}));
}

struct RefusedTermCase : NamedCase {
    std::vector<std::string> lines; // a file run while the terminator is "^"
    std::vector<std::string> expected;
};

class RefusedTerminator : public ::testing::TestWithParam<RefusedTermCase> {};

// The refused SET TERM stops its file; the next file is still cut at the terminator set before it.
TEST_P(RefusedTerminator, KeepsTheTerminatorForTheNextFile) {
    ScriptParser parser;
    ASSERT_EQ(parseAll(parser, {"SET TERM ^ ;"}), std::vector<std::string>{"stmtTERM@1:SET TERM ^ "});
    EXPECT_EQ(parseAll(parser, GetParam().lines), GetParam().expected);
    EXPECT_EQ(parser.terminator(), "^");
    EXPECT_EQ(parseAll(parser, {"INSERT INTO t VALUES (1);^COMMIT^"}),
              (std::vector<std::string>{"stmtDML@1:INSERT INTO t VALUES (1);", "stmtCOMMIT@1:COMMIT"}));
}

const RefusedTermCase kRefusedTermCases[] = {
    {"CommentOpener", {"SET TERM /* ^", "COMMIT^"}, {"Invalid statement@1:SET TERM /* ^|COMMIT^"}},
    {"CommentCloser", {"SET TERM */ ^", "COMMIT^"}, {"Invalid statement@1:SET TERM */ "}},
    {"Apostrophe", {"SET TERM '^", "COMMIT^"}, {"Invalid statement@1:SET TERM '^|COMMIT^"}},
    {"DoubleQuote", {"SET TERM \"^\"^"}, {"Invalid statement@1:SET TERM \"^\""}},
    {"TabInside", {"SET TERM ;\t; ^"}, {"Invalid statement@1:SET TERM ;\t; "}},
};

INSTANTIATE_TEST_SUITE_P(Script, RefusedTerminator, ::testing::ValuesIn(kRefusedTermCases), CaseName{});

// A statement over more lines than the parser keeps at hand is read back from the file's bytes.
TEST(ScriptParser, StatementOverManyLinesOfAFile) {
    const char* const breaks[] = {"\n", "\r\n", "\r"};
    std::string bytes = "COMMIT;\rINSERT INTO t VALUES ('";
    std::string text = "INSERT INTO t VALUES ('";
    for (int i = 0; i < 1000; ++i) {
        bytes += std::to_string(i) + breaks[i % 3];
        text += std::to_string(i) + "|";
    }
    bytes += "');\r\nROLLBACK;";
    text += "')";
    EXPECT_EQ(parseBytes(bytes),
              (std::vector<std::string>{"stmtCOMMIT@1:COMMIT", "stmtDML@2:" + text, "stmtROLLBACK@1003:ROLLBACK"}));
}

TEST(ScriptParser, StopEndsTheFileButNotTheNextOne) {
    ScriptParser parser;
    parser.start(ScriptLines({"COMMIT;", "COMMIT;"}));
    ASSERT_TRUE(std::holds_alternative<ScriptStatement>(parser.next()));
    parser.stop();
    EXPECT_TRUE(std::holds_alternative<End>(parser.next()));

    EXPECT_EQ(parseAll(parser, {"ROLLBACK;"}), std::vector<std::string>{"stmtROLLBACK@1:ROLLBACK"});
}

TEST(ScriptParser, NothingAfterParseError) {
    ScriptParser parser;
    parser.start(ScriptLines({"COMMIT WORK;", "COMMIT;"}));
    ASSERT_TRUE(std::holds_alternative<ParseError>(parser.next()));
    EXPECT_TRUE(parser.stopped());
    EXPECT_TRUE(std::holds_alternative<End>(parser.next()));
}

TEST(ScriptParser, EmptyScriptEndsAtOnce) {
    EXPECT_TRUE(parseAll({}).empty());
    EXPECT_TRUE(parseAll({"", "   "}).empty());
}

} // namespace
} // namespace akt::test
