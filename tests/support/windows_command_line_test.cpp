#include "support/windows_command_line.h"

#include "tests/common/case_name.h"

#include <gtest/gtest.h>

namespace akt {
namespace {

using test::CaseName;
using test::NamedCase;

struct SplitCase : NamedCase {
    const char* params;
    QStringList expected;
};

class SplitWindowsCommandLine : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitWindowsCommandLine, GivesTheArgumentsAWindowsProgramWouldSee) {
    EXPECT_EQ(splitWindowsCommandLine(QString::fromUtf8(GetParam().params)), GetParam().expected);
}

// Raw strings keep the backslashes readable: R"(a\"b)" is the seven characters a \ " b.
INSTANTIATE_TEST_SUITE_P(
    Rules, SplitWindowsCommandLine,
    testing::Values(
        SplitCase{"Empty", "", {}}, SplitCase{"OnlyBlanks", " \t  ", {}},
        SplitCase{"BlanksAndTabsSeparate", " -b\t-v   x ", {"-b", "-v", "x"}},
        SplitCase{"QuotedPathWithBlanksIsOneArgument",
                  R"(-b -user SYSDBA "C:\Program Files\App\baza.fdb" "C:\My Dir\Kopia_1.fbk")",
                  {"-b", "-user", "SYSDBA", R"(C:\Program Files\App\baza.fdb)", R"(C:\My Dir\Kopia_1.fbk)"}},
        SplitCase{"QuotesInsideAWordGroupOnlyTheirPart", R"(a"b c"d e)", {"ab cd", "e"}},
        SplitCase{"EmptyQuotesGiveAnEmptyArgument", R"(a "" b)", {"a", "", "b"}},
        SplitCase{"UnclosedQuoteRunsToTheEnd", R"(a "b c  )", {"a", "b c  "}},
        SplitCase{"BackslashesNotBeforeAQuoteStay", R"(C:\dir\\x\ y)", {R"(C:\dir\\x\)", "y"}},
        SplitCase{"OddBackslashesBeforeQuoteGiveLiteralQuote", R"(a\"b \\\"c)", {R"(a"b)", R"(\"c)"}},
        SplitCase{"EvenBackslashesBeforeQuoteHalveAndToggle", R"("a\\" b \\\\"c d")", {R"(a\)", "b", R"(\\c d)"}},
        SplitCase{"TrailingBackslashInQuotedFolder", R"("C:\My Dir\\" next)", {R"(C:\My Dir\)", "next"}},
        SplitCase{"DoubledQuoteInsideQuotesIsLiteralAndStaysQuoted", R"("a""b c" d)", {R"(a"b c)", "d"}},
        SplitCase{"DoubledQuoteOutsideQuotesIsEmpty", R"(a""b)", {"ab"}},
        SplitCase{"PolishLettersPassThrough", "\"zażółć gęślą\" jaźń", {"zażółć gęślą", "jaźń"}}),
    CaseName{});

} // namespace
} // namespace akt
