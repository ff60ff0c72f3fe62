// What the table tests share: each case carries its name, which names the test and is what a
// failure message prints of the case.
//
//     struct CuttingCase : NamedCase {
//         std::vector<std::string> lines;
//         std::vector<std::string> expected;
//     };
//     INSTANTIATE_TEST_SUITE_P(Script, Cutting, testing::ValuesIn(kCuttingCases), CaseName{});
#pragma once

#include <ostream>
#include <string>

namespace akt::test {

// The base of a case, giving it its first member; the case is still brace-initialised as {"Name", ...}.
struct NamedCase {
    const char* name;

    // Google Test prints a parameter through the operator<< found beside its type, and ctest keeps
    // what it prints in the test's name: the case's name is stable where the case's bytes are not.
    friend std::ostream& operator<<(std::ostream& out, const NamedCase& c) { return out << c.name; }
};

// The name generator of INSTANTIATE_TEST_SUITE_P for a table of cases with a `name`.
struct CaseName {
    template <class ParamInfo> std::string operator()(const ParamInfo& info) const { return info.param.name; }
};

} // namespace akt::test
