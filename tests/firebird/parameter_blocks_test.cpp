#include "update/firebird/parameter_blocks.h"

#include "support/error_text.h"
#include "tests/common/case_name.h"
#include "update/firebird/database_error.h"

#include <gtest/gtest.h>

namespace akt {
namespace {

using test::CaseName;
using test::NamedCase;

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray result;
    for (int value : values)
        result += char(value);
    return result;
}

struct BlockCase : NamedCase {
    QStringList lines;
    QByteArray expected;
};

class AttachmentParameters : public testing::TestWithParam<BlockCase> {};

TEST_P(AttachmentParameters, BuildsTheBlock) {
    EXPECT_EQ(attachmentParameters(GetParam().lines), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AttachmentParameters,
    testing::Values(
        BlockCase{"VersionOnlyForLinesWithoutEquals", {"", "USER 'SYSDBA'", "PAGE_SIZE 4096"}, bytes({1})},
        BlockCase{"UserAndPassword", {"", "user_name=ab", "password=x"}, bytes({1, 28, 2, 'a', 'b', 29, 1, 'x'})},
        BlockCase{"RepeatedLinesWrittenAgain",
                  {"user_name=a", "password=", "user_name=a"},
                  bytes({1, 28, 1, 'a', 29, 0, 28, 1, 'a'})},
        BlockCase{"NameCaseAndPrefixIgnored", {"ISC_DPB_User_Name=u"}, bytes({1, 28, 1, 'u'})},
        BlockCase{
            "ValueIsEverythingAfterTheFirstEquals", {"password= a=b "}, bytes({1, 29, 5, ' ', 'a', '=', 'b', ' '})}),
    CaseName{});

TEST(AttachmentParametersRefuse, UnknownNameAsWritten) {
    try {
        attachmentParameters({"user_name=a", "Lc_Ctype=WIN1250"});
        FAIL() << "no error raised";
    } catch (const DatabaseError& error) {
        EXPECT_EQ(errorText(error), "DPB Constant (Lc_Ctype) is unknown");
    }
}

TEST(TransactionParameters, ReadCommittedRecordVersionNoWait) {
    EXPECT_EQ(defaultTransactionParameters(), bytes({3, 15, 17, 7}));
}

TEST(CreationStatement, FourLinesWithQuotesDoubled) {
    const QStringList lines = creationLines("O'Brien", "it's");
    EXPECT_EQ(lines,
              QStringList({"USER 'O''Brien'", "PASSWORD 'it''s'", "PAGE_SIZE 4096", "DEFAULT CHARACTER SET WIN1250"}));
    EXPECT_EQ(creationStatement("srv:/data/o'k.fdb", lines), "CREATE DATABASE 'srv:/data/o''k.fdb' USER 'O''Brien'\r\n"
                                                             "PASSWORD 'it''s'\r\n"
                                                             "PAGE_SIZE 4096\r\n"
                                                             "DEFAULT CHARACTER SET WIN1250\r\n");
}

} // namespace
} // namespace akt
