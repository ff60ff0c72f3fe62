// Loading a script file: the split into lines and the error for a file that cannot be read.
#include "update/parser/script_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include <unistd.h>

namespace akt {
namespace {

std::vector<std::string> asVector(const ScriptLines& lines) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < lines.size(); ++i)
        result.emplace_back(lines[i]);
    return result;
}

struct SplitCase {
    std::string bytes;
    std::vector<std::string> lines;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.bytes);
}

class Splitting : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Splitting, BreaksAtCrLfLoneCrAndLoneLf) {
    EXPECT_EQ(asVector(ScriptLines::fromBytes(GetParam().bytes)), GetParam().lines);
}

const SplitCase kSplitCases[] = {
    {"", {}},
    {"a", {"a"}},
    {"a\r\nb", {"a", "b"}},
    {"a\rb", {"a", "b"}},
    {"a\nb", {"a", "b"}},
    {"a\r\n", {"a"}},
    {"a\r\n\r\n", {"a", ""}},
    {"\n", {""}},
    {"a\n\rb", {"a", "", "b"}},
    {"a\r\r\nb", {"a", "", "b"}},
    {std::string("a;\r\nb\0c\r\nd", 10), {"a;", "b"}},
    {std::string("\0a", 2), {}},
    {"\xb1\xe6\xea\r\n\x9c", {"\xb1\xe6\xea", "\x9c"}}, // Windows-1250 letters stay bytes
};

INSTANTIATE_TEST_SUITE_P(Bytes, Splitting, ::testing::ValuesIn(kSplitCases));

TEST(LoadScriptFile, ReadsFileIntoLines) {
    char path[] = "/tmp/akt_script_XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    std::ofstream(path, std::ios::binary) << "CREATE TABLE t (a int);\r\nINSERT INTO t\nVALUES (1);\r";
    const ScriptLines lines = loadScriptFile(path);
    std::remove(path);
    EXPECT_EQ(asVector(lines), (std::vector<std::string>{"CREATE TABLE t (a int);", "INSERT INTO t", "VALUES (1);"}));
}

TEST(LoadScriptFile, MissingFileRaisesErrorNamingFileAndReason) {
    try {
        loadScriptFile("/nonexistent/DBSRC/001.SQL");
        FAIL() << "no error raised";
    } catch (const ScriptFileError& error) {
        EXPECT_STREQ(error.what(), "Cannot read script file \"/nonexistent/DBSRC/001.SQL\": No such file or directory");
    }
}

TEST(LoadScriptFile, DirectoryRaisesError) {
    EXPECT_THROW(loadScriptFile("/tmp"), ScriptFileError);
}

} // namespace
} // namespace akt
