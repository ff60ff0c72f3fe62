#include "update/parser/script_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <sys/stat.h>

namespace akt {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

[[noreturn]] void fail(const std::string& path, int error) {
    throw ScriptFileError("Cannot read script file \"" + path + "\": " + std::strerror(error));
}

} // namespace

ScriptLines loadScriptFile(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        fail(path, errno);

    // Read straight into a buffer of the size the file reports, so a large script is not copied
    // or regrown; the loop then takes whatever the file really holds beyond that.
    std::string bytes;
    struct stat info {};
    if (fstat(fileno(file.get()), &info) == 0 && info.st_size > 0) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    }
    char chunk[1 << 16];
    while (!std::feof(file.get()) && !std::ferror(file.get()))
        bytes.append(chunk, std::fread(chunk, 1, sizeof chunk, file.get()));
    if (std::ferror(file.get()))
        fail(path, errno != 0 ? errno : EIO);
    return ScriptLines::fromBytes(std::move(bytes));
}

} // namespace akt
