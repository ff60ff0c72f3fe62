#include "update/parser/script_file.h"

#include <cerrno>
#include <cstring>
#include <new>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace akt {
namespace {

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
    throw ScriptFileError::cannotRead(path, reason);
}

[[noreturn]] void failWithErrno(const std::string& path, int error) {
    fail(path, std::strerror(error));
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0)
            close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

// Why a file that is not a regular file cannot be a script; empty for a regular file.
std::string notRegularFile(mode_t mode) {
    if (S_ISREG(mode))
        return std::string();
    if (S_ISFIFO(mode))
        return "it is a FIFO (named pipe), not a regular file";
    if (S_ISDIR(mode))
        return "it is a directory, not a regular file";
    if (S_ISCHR(mode))
        return "it is a character device, not a regular file";
    if (S_ISBLK(mode))
        return "it is a block device, not a regular file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a regular file";
    return "it is not a regular file";
}

// Opens a script for reading, refusing anything but a regular file before a read can wait for a
// writer that never comes (a FIFO) or go on for ever (/dev/zero behind a link with a script's name).
// O_NONBLOCK keeps the open itself from waiting for a FIFO's writer.
FileDescriptor openRegularFile(const std::string& path, struct stat& info) {
    FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) {
        const int error = errno;
        // A socket cannot be opened at all (ENXIO, "No such device or address"); say what it is.
        struct stat seen {};
        if (stat(path.c_str(), &seen) == 0 && !notRegularFile(seen.st_mode).empty())
            fail(path, notRegularFile(seen.st_mode));
        failWithErrno(path, error);
    }
    if (fstat(file.get(), &info) != 0)
        failWithErrno(path, errno);
    const std::string refusal = notRegularFile(info.st_mode);
    if (!refusal.empty())
        fail(path, refusal);
    const int flags = fcntl(file.get(), F_GETFL);
    if (flags < 0 || fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        failWithErrno(path, errno);
    return file;
}

// Reads to the end, a chunk at a time into a buffer reserved at the size the file reports: a large
// script is not regrown, and its buffer is written once, by the copy out of a chunk that is still
// in the cache, instead of being cleared first and then read into.
std::string readAll(const std::string& path, int fd, std::size_t expected) {
    std::string bytes;
    bytes.reserve(expected);
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            failWithErrno(path, errno);
        if (got == 0)
            return bytes;
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
}

} // namespace

ScriptFileError ScriptFileError::cannotRead(const std::string& path, const std::string& reason) {
    return ScriptFileError("Cannot read script file \"" + path + "\": " + reason);
}

ScriptLines loadScriptFile(const std::string& path) {
    struct stat info {};
    const FileDescriptor file = openRegularFile(path, info);
    try {
        return ScriptLines::fromBytes(readAll(path, file.get(), static_cast<std::size_t>(info.st_size)));
    } catch (const std::bad_alloc&) {
        fail(path, "not enough memory to hold it");
    }
}

} // namespace akt
