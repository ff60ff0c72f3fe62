#include "update/firebird/database_error.h"

#include "support/error_text.h"
#include "tests/common/case_name.h"

#include <gtest/gtest.h>

#include <vector>

namespace akt {
namespace {

using test::CaseName;
using test::NamedCase;

struct JoinCase : NamedCase {
    std::vector<QByteArray> messages;
    QString expected;
};

class JoinStatusMessages : public testing::TestWithParam<JoinCase> {};

TEST_P(JoinStatusMessages, GivesTheDatabaseErrorText) {
    EXPECT_EQ(joinStatusMessages(GetParam().messages), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JoinStatusMessages,
    testing::Values(JoinCase{"OneLine", {"Table unknown"}, "Table unknown"},
                    JoinCase{"LinesJoinedByCrLf",
                             {"Dynamic SQL Error", "SQL error code = -204", "Table unknown"},
                             "Dynamic SQL Error\r\nSQL error code = -204\r\nTable unknown"},
                    JoinCase{"NoBreakAfterALineEndingInLineFeed", {"first\n", "second"}, "first\nsecond"},
                    JoinCase{"NoBreakAtStartOrEnd", {"\r\nfirst", "second\n"}, "first\r\nsecond"},
                    JoinCase{"OneFinalFullStopRemoved",
                             {"Error while trying to open file", "Not a directory.."},
                             "Error while trying to open file\r\nNot a directory."},
                    JoinCase{"FullStopsInsideKept", {"a. b.", "c"}, "a. b.\r\nc"},
                    JoinCase{"FullStopBeforeFinalBreakRemoved", {"done.\n"}, "done"}, JoinCase{"Nothing", {}, ""}),
    CaseName{});

TEST(DatabaseError, FixedTexts) {
    EXPECT_EQ(errorText(DatabaseError::databaseNameMissing()), "Database name is missing");
    EXPECT_EQ(errorText(DatabaseError::unknownDpbConstant("Lc_Ctype")), "DPB Constant (Lc_Ctype) is unknown");
    EXPECT_EQ(errorText(DatabaseError::databaseNotOpen()), "Cannot perform operation -- DB is not open");
    EXPECT_STREQ(DatabaseError::databaseNameMissing().what(), "Database name is missing");
}

} // namespace
} // namespace akt
