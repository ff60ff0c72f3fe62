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

    std::size_t size() const { return bounds_.size() / 2; }
    bool empty() const { return bounds_.empty(); }
    std::string_view operator[](std::size_t index) const {
        return std::string_view(bytes_).substr(bounds_[2 * index], bounds_[2 * index + 1] - bounds_[2 * index]);
    }

private:
    std::string bytes_;
    std::vector<std::size_t> bounds_; // begin and end offset of each line in bytes_
};

} // namespace akt
