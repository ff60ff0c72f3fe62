// Bytes that Windows-1250 text never holds (a NUL byte, a byte-order mark): the statements in front of
// them run, then the file stops with a parse error at their line.
#include "parse_results.h"
#include "tests/common/case_name.h"

#include <gtest/gtest.h>

namespace akt::test {
namespace {

std::string invalidCharacter(std::size_t line, const std::string& found) {
    const std::string at = std::to_string(line);
    return "Invalid character@" + at + ":" + found + " w linii " + at + " - plik nie jest tekstem Windows-1250";
}

std::string nulByteAt(std::size_t line) {
    return invalidCharacter(line, "bajt NUL (0x00)");
}

std::string utf16(const std::string& ascii, bool littleEndian) {
    std::string bytes;
    for (char c : ascii)
        bytes += littleEndian ? std::string{c, '\0'} : std::string{'\0', c};
    return bytes;
}

struct ForeignCase : NamedCase {
    std::string bytes;
    std::vector<std::string> expected;
};

class ForeignBytesInFile : public ::testing::TestWithParam<ForeignCase> {};

TEST_P(ForeignBytesInFile, StopTheFileWhereTheyStand) {
    EXPECT_EQ(parseBytes(GetParam().bytes), GetParam().expected);
}

using namespace std::string_literals;

const ForeignCase kForeignCases[] = {
    {"NulAfterTwoStatements",
     "CREATE TABLE T (ID INTEGER);\nINSERT INTO T VALUES (1);\n\0INSERT INTO T VALUES (2);\n"s,
     {"stmtDDL@1:CREATE TABLE T (ID INTEGER)", "stmtDML@2:INSERT INTO T VALUES (1)",
      "Invalid character@3:bajt NUL (0x00) w linii 3 - plik nie jest tekstem Windows-1250"}},
    {"NulPaddingAtTheEndIsNoError",
     "COMMIT;\r\nROLLBACK;\r\n\0\0\0\0"s,
     {"stmtCOMMIT@1:COMMIT", "stmtROLLBACK@2:ROLLBACK"}},
    {"NulPaddingEndsTheLastStatement", "COMMIT;\r\nROLLBACK\0\0"s, {"stmtCOMMIT@1:COMMIT", "stmtROLLBACK@2:ROLLBACK"}},
    {"OnlyNulPadding", "\0\0\0"s, {}},
    {"NulRunWithTextBehindIt", "COMMIT;\0\0\0ROLLBACK;"s, {"stmtCOMMIT@1:COMMIT", nulByteAt(1)}},
    {"StatementCutByNulIsNotDelivered",
     "COMMIT;\r\nINSERT INTO T VALUES (1)\0;"s,
     {"stmtCOMMIT@1:COMMIT", nulByteAt(2)}},
    {"NulInsideString", "COMMIT;\r\nINSERT INTO T VALUES ('a\0b');\r\n"s, {"stmtCOMMIT@1:COMMIT", nulByteAt(2)}},
    {"NulInsideCommentIsNotAnUnclosedComment",
     "COMMIT;\r\n/* note\r\n\0 */ COMMIT;"s,
     {"stmtCOMMIT@1:COMMIT", nulByteAt(3)}},
    {"ProcedureBodyCutByNul", "CREATE PROCEDURE P AS BEGIN\r\n  X = 1;\r\n\0END;"s, {nulByteAt(3)}},
    {"NulAfterLoneCr", "COMMIT;\r\0ROLLBACK;"s, {"stmtCOMMIT@1:COMMIT", nulByteAt(2)}},
    {"Utf16LittleEndianWithoutMark", utf16("COMMIT;\r\nROLLBACK;\r\n", true), {nulByteAt(1)}},
    {"Utf16BigEndianWithoutMark", utf16("COMMIT;\r\nROLLBACK;\r\n", false), {nulByteAt(1)}},
    {"Utf8Mark",
     "\xEF\xBB\xBF"
     "COMMIT;\r\n",
     {invalidCharacter(1, "znacznik BOM UTF-8 (EF BB BF)")}},
    {"Utf16LittleEndianMark",
     "\xFF\xFE"s + utf16("COMMIT;\r\n", true),
     {invalidCharacter(1, "znacznik BOM UTF-16 (FF FE)")}},
    {"Utf16BigEndianMark",
     "\xFE\xFF"s + utf16("COMMIT;\r\n", false),
     {invalidCharacter(1, "znacznik BOM UTF-16 (FE FF)")}},
};

INSTANTIATE_TEST_SUITE_P(Script, ForeignBytesInFile, ::testing::ValuesIn(kForeignCases), CaseName{});

TEST(ForeignBytes, StopOnlyTheirFile) {
    ScriptParser parser;
    parser.start(ScriptLines::fromBytes("COMMIT;\0ROLLBACK;"s));
    ASSERT_TRUE(std::holds_alternative<ScriptStatement>(parser.next()));
    ASSERT_TRUE(std::holds_alternative<ParseError>(parser.next()));
    EXPECT_TRUE(parser.stopped());
    EXPECT_TRUE(std::holds_alternative<End>(parser.next()));

    EXPECT_EQ(parseAll(parser, {"ROLLBACK;"}), std::vector<std::string>{"stmtROLLBACK@1:ROLLBACK"});
}

} // namespace
} // namespace akt::test
