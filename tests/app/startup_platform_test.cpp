#include "app/startup_platform.h"

#include "tests/common/case_name.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>

namespace akt {
namespace {

using test::CaseName;
using test::NamedCase;

struct PlatformCase : NamedCase {
    std::map<std::string, QByteArray> environment;
    QStringList arguments;
    StartupPlatform expected;
};

// The case the current test reads its environment from; chooseStartupPlatform takes a plain
// function pointer.
const PlatformCase* current = nullptr;

QByteArray fromCurrentCase(const char* name) {
    const auto found = current->environment.find(name);
    return found == current->environment.end() ? QByteArray() : found->second;
}

class StartupPlatformTest : public testing::TestWithParam<PlatformCase> {};

TEST_P(StartupPlatformTest, FollowsTheDisplayAndTheMode) {
    current = &GetParam();
    EXPECT_EQ(chooseStartupPlatform(GetParam().arguments, fromCurrentCase), GetParam().expected);
}

const QStringList createMode{"", "/x.fdb", "SYSDBA", "masterkey", "t"};
const QStringList updateMode{"", "/x.fdb", "SYSDBA", "masterkey", "TRUE"};

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupPlatformTest,
    testing::Values(
        PlatformCase{"x11Display", {{"DISPLAY", ":0"}}, updateMode, StartupPlatform::Display},
        PlatformCase{"waylandDisplay", {{"WAYLAND_DISPLAY", "wayland-0"}}, updateMode, StartupPlatform::Display},
        PlatformCase{
            "platformChosenByTheCaller", {{"QT_QPA_PLATFORM", "offscreen"}}, updateMode, StartupPlatform::Display},
        PlatformCase{"noDisplayCreateMode", {}, createMode, StartupPlatform::Offscreen},
        PlatformCase{"noDisplayUpdateMode", {}, updateMode, StartupPlatform::NoDisplay},
        PlatformCase{"noDisplayNoArguments", {}, {}, StartupPlatform::NoDisplay},
        PlatformCase{"emptyDisplayIsNoDisplay", {{"DISPLAY", ""}}, createMode, StartupPlatform::Offscreen}),
    CaseName{});

} // namespace
} // namespace akt
