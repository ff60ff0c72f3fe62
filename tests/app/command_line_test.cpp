#include "app/application_title.h"
#include "app/command_line.h"
#include "tests/common/case_name.h"

#include <gtest/gtest.h>

#include <ostream>

namespace akt {
namespace {

using test::CaseName;
using test::NamedCase;

struct CommandLineCase : NamedCase {
    QStringList arguments;
    CommandLine expected;
};

class CommandLineTest : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, ReadsThePositionalArguments) {
    const CommandLine line = parseCommandLine(GetParam().arguments);
    const CommandLine& expected = GetParam().expected;
    EXPECT_EQ(line.serwer, expected.serwer);
    EXPECT_EQ(line.baza, expected.baza);
    EXPECT_EQ(line.user, expected.user);
    EXPECT_EQ(line.pass, expected.pass);
    EXPECT_EQ(line.createMode, expected.createMode);
    EXPECT_EQ(line.addcatalog, expected.addcatalog);
}

CommandLine expect(QString serwer, QString baza, QString user, QString pass, bool createMode, QString addcatalog) {
    return {serwer, baza, user, pass, createMode, addcatalog};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTest,
    testing::Values(
        CommandLineCase{"noArguments", {}, expect("", "", "", "", false, "")},
        CommandLineCase{
            "upperT", {"srv", "/db.fdb", "SYSDBA", "pw", "T"}, expect("srv", "/db.fdb", "SYSDBA", "pw", true, "")},
        CommandLineCase{
            "lowerT", {"srv", "/db.fdb", "SYSDBA", "pw", "t"}, expect("srv", "/db.fdb", "SYSDBA", "pw", true, "")},
        CommandLineCase{
            "wordTrue", {"srv", "/db.fdb", "u", "p", "TRUE"}, expect("srv", "/db.fdb", "u", "p", false, "")},
        CommandLineCase{"one", {"srv", "/db.fdb", "u", "p", "1"}, expect("srv", "/db.fdb", "u", "p", false, "")},
        CommandLineCase{"paddedT", {"srv", "/db.fdb", "u", "p", " T"}, expect("srv", "/db.fdb", "u", "p", false, "")},
        CommandLineCase{"serverAndFolderTrimmed",
                        {" \tsrv  ", " /db.fdb ", " u ", " p ", "T", "  /extra/ "},
                        expect("srv", " /db.fdb ", " u ", " p ", true, "/extra/")},
        CommandLineCase{
            "blankFolder", {"srv", "/db.fdb", "u", "p", "T", "   "}, expect("srv", "/db.fdb", "u", "p", true, "")},
        CommandLineCase{"emptyServer", {"", "/db.fdb", "u", "p", "T"}, expect("", "/db.fdb", "u", "p", true, "")},
        CommandLineCase{"extraArgumentsIgnored",
                        {"s", "b", "u", "p", "t", "/x/", "more"},
                        expect("s", "b", "u", "p", true, "/x/")}),
    CaseName{});

struct TitleCase {
    const char* name;
    QString fileName;
    QString title;
};

void PrintTo(const TitleCase& c, std::ostream* out) {
    *out << c.name;
}

class ApplicationTitle : public testing::TestWithParam<TitleCase> {};

TEST_P(ApplicationTitle, CutsAtTheFirstDotKeepsTheFirstLetterAndLowersTheRest) {
    EXPECT_EQ(applicationTitle(GetParam().fileName).toStdString(), GetParam().title.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    FileNames, ApplicationTitle,
    testing::Values(TitleCase{"lowerCaseStaysLower", "aktualizacja", "aktualizacja"},
                    TitleCase{"capitalStaysCapital", "Aktualizacja.exe", "Aktualizacja"},
                    TitleCase{"upperCaseAfterTheFirstLetterLowered", "aKTUALIZACJA", "aktualizacja"},
                    TitleCase{"allUpperCase", "AKTUALIZACJA.EXE", "Aktualizacja"},
                    TitleCase{"cutAtTheFirstDot", "akt.v2.exe", "akt"},
                    TitleCase{"polishFirstLetterKept", QStringLiteral("źRÓDŁO.exe"), QStringLiteral("źródło")},
                    TitleCase{"nothingBeforeTheDot", ".aktualizacja", ""}),
    [](const testing::TestParamInfo<TitleCase>& info) { return info.param.name; });

} // namespace
} // namespace akt
