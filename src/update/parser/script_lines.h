#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace akt {

// The lines of one script file as bytes (Windows-1250 text, never decoded here). The bytes are kept
// in one buffer with the bounds of every line, so a large script costs little more than its size.
class ScriptLines {
public:
    ScriptLines() = default;
    // One item per line; the items are taken as they are, even if they hold CR or LF.
    explicit ScriptLines(const std::vector<std::string>& lines);

    // Splits a file's bytes into lines at CR LF, a lone CR and a lone LF. A NUL byte ends the
    // text. A line break at the very end does not start one more (empty) line.
    static ScriptLines fromBytes(std::string bytes);

    std::size_t size() const { return starts_.empty() ? 0 : starts_.size() - 1; }
    bool empty() const { return size() == 0; }
    std::string_view operator[](std::size_t index) const {
        const std::size_t begin = starts_[index];
        return std::string_view(bytes_).substr(begin, starts_[index + 1] - separatorBefore(index + 1) - begin);
    }

private:
    // Length of the line break that ends line next - 1 (none after a file's last line).
    std::size_t separatorBefore(std::size_t next) const {
        if (!crlf_)
            return 1;
        const std::size_t begin = starts_[next - 1];
        const std::size_t end = starts_[next];
        if (end == begin)
            return 0;
        if (bytes_[end - 1] == '\n')
            return end - begin >= 2 && bytes_[end - 2] == '\r' ? 2 : 1;
        return bytes_[end - 1] == '\r' ? 1 : 0;
    }

    std::string bytes_;
    // Where each line begins, plus the end of the text. One offset per line keeps a script of short
    // lines small; the line break's length is read back from the bytes.
    std::vector<std::size_t> starts_;
    bool crlf_ = false; // whether a line break may be CR LF (a file) or is always one byte (given lines)
};

} // namespace akt
