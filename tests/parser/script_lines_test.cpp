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
    ForeignBytes foreign = ForeignBytes::none;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.bytes);
}

class Splitting : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Splitting, BreaksAtCrLfLoneCrAndLoneLf) {
    const ScriptLines lines = ScriptLines::fromBytes(GetParam().bytes);
    EXPECT_EQ(asVector(lines), GetParam().lines);
    EXPECT_EQ(static_cast<int>(lines.foreignBytes()), static_cast<int>(GetParam().foreign));
}

using F = ForeignBytes;

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
    {"\xb1\xe6\xea\r\n\x9c", {"\xb1\xe6\xea", "\x9c"}}, // Windows-1250 letters stay bytes
    // NUL padding at the end is dropped; a NUL byte with anything behind it ends the text on its line.
    {std::string("a\r\n\0\0\0", 6), {"a"}},
    {std::string("a\0\0", 3), {"a"}},
    {std::string("\0\0", 2), {}},
    {std::string("a;\r\nb\0c\r\nd", 10), {"a;", "b"}, F::nulByte},
    {std::string("a\0\0b", 4), {"a"}, F::nulByte},
    // Standing at the start of a line, it has a line of its own: the empty part in front of it.
    {std::string("\0a", 2), {""}, F::nulByte},
    {std::string("a\r\n\0b", 5), {"a", ""}, F::nulByte},
    {std::string("a\r\0b", 4), {"a", ""}, F::nulByte},
    {"\xEF\xBB\xBF"
     "a\r\nb",
     {""},
     F::utf8ByteOrderMark},
    {std::string("\xFF\xFE"
                 "a\0",
                 4),
     {""},
     F::utf16LeByteOrderMark},
    {std::string("\xFE\xFF\0a", 4), {""}, F::utf16BeByteOrderMark},
};

INSTANTIATE_TEST_SUITE_P(Bytes, Splitting, ::testing::ValuesIn(kSplitCases));

// Lines are found again from a checkpoint every few dozen lines and from the lines looked up last;
// whatever the order of the lookups, every line must come out as a plain split gives it.
TEST(ScriptLinesLookup, AnyOrderGivesTheSameLines) {
    std::string bytes;
    std::vector<std::string> expected;
    const char* const breaks[] = {"\n", "\r\n", "\r"};
    for (std::size_t i = 0; i < 1000; ++i) {
        expected.push_back(i % 7 == 0 ? std::string() : "line " + std::to_string(i) + std::string(i % 13, ';'));
        // An empty line after a lone CR must not end in a lone LF, or the two would make one CR LF.
        bytes += expected.back() + (expected.back().empty() ? "\r\n" : breaks[i % 3]);
    }
    const ScriptLines lines = ScriptLines::fromBytes(bytes);
    ASSERT_EQ(lines.size(), expected.size());

    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < expected.size(); ++i)
        order.push_back(i); // forward
    for (std::size_t i = expected.size(); i-- > 0;)
        order.push_back(i); // backward
    for (std::size_t i = 0; i < 3 * expected.size(); ++i)
        order.push_back((i * 7919) % expected.size()); // jumps both ways, near and far
    for (std::size_t i = 0; i < expected.size(); i += 5)
        order.insert(order.end(), {i, 0, expected.size() - 1, i}); // away to both ends and back
    for (std::size_t index : order)
        ASSERT_EQ(lines[index], expected[index]) << "line " << index;
}

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
