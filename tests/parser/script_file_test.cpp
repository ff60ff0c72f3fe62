// What loadScriptFile refuses before reading: anything that is not a regular file, found through a
// link or not. Each case is a real object in a folder of its own.
#include "update/parser/script_file.h"

#include "tests/common/case_name.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace akt {
namespace {

using test::CaseName;
using test::NamedCase;

namespace fs = std::filesystem;

void makeFifo(const std::string& path) {
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
}

void makeDirectory(const std::string& path) {
    fs::create_directory(path);
}

void linkToDevZero(const std::string& path) {
    fs::create_symlink("/dev/zero", path);
}

void linkToScript(const std::string& path) {
    std::ofstream(path + ".target", std::ios::binary) << "COMMIT;\r\nROLLBACK;\r\n";
    fs::create_symlink(path + ".target", path);
}

void linkToNothing(const std::string& path) {
    fs::create_symlink(path + ".missing", path);
}

void makeSocket(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    path.copy(address.sun_path, path.size());
    EXPECT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    close(fd); // the socket's file stays behind
}

struct FileKindCase : NamedCase {
    const char* file;
    std::function<void(const std::string& path)> make; // empty: nothing is made
    const char* reason;                                // after the file's name in the error; empty: read
};

class FileKinds : public ::testing::TestWithParam<FileKindCase> {
protected:
    void SetUp() override {
        char folder[] = "/tmp/akt_script_file_XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        folder_ = folder;
    }
    void TearDown() override { fs::remove_all(folder_); } // removes links, never what they lead to

    std::string folder_;
};

// The FIFO has no writer: opening it for reading would wait for one for ever, unless it is refused
// without waiting, as it must be.
TEST_P(FileKinds, OnlyRegularFilesAreRead) {
    const std::string path = folder_ + "/" + GetParam().file;
    if (GetParam().make)
        GetParam().make(path);
    const std::string reason = GetParam().reason;
    try {
        const ScriptLines lines = loadScriptFile(path);
        ASSERT_TRUE(reason.empty()) << "read although " << reason;
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], "COMMIT;");
        EXPECT_EQ(lines[1], "ROLLBACK;");
    } catch (const ScriptFileError& error) {
        EXPECT_EQ(error.what(), "Cannot read script file \"" + path + "\": " + reason);
    }
}

const FileKindCase kFileKindCases[] = {
    {"Fifo", "02_PIPE.SQL", makeFifo, "it is a FIFO (named pipe), not a regular file"},
    {"Directory", "X.SQL", makeDirectory, "it is a directory, not a regular file"},
    {"LinkToDevZero", "03_ZERO.SQL", linkToDevZero, "it is a character device, not a regular file"},
    {"Socket", "04_SOCKET.SQL", makeSocket, "it is a socket, not a regular file"},
    {"LinkToRegularFile", "05_LINK.SQL", linkToScript, ""},
    {"DanglingLink", "06_DANGLING.SQL", linkToNothing, "No such file or directory"},
    {"Missing", "07_MISSING.SQL", nullptr, "No such file or directory"},
};

INSTANTIATE_TEST_SUITE_P(Table, FileKinds, ::testing::ValuesIn(kFileKindCases), CaseName{});

} // namespace
} // namespace akt
