#include "update/parser/script_lines.h"

#include <cstring>

namespace akt {

ScriptLines::ScriptLines(const std::vector<std::string>& lines) {
    std::size_t total = 0;
    for (const auto& line : lines)
        total += line.size();
    bytes_.reserve(total);
    bounds_.reserve(2 * lines.size());
    for (const auto& line : lines) {
        bounds_.push_back(bytes_.size());
        bytes_ += line;
        bounds_.push_back(bytes_.size());
    }
}

ScriptLines ScriptLines::fromBytes(std::string bytes) {
    ScriptLines result;
    if (const void* nul = std::memchr(bytes.data(), '\0', bytes.size()))
        bytes.resize(static_cast<const char*>(nul) - bytes.data());
    result.bytes_ = std::move(bytes);

    const char* const data = result.bytes_.data();
    const std::size_t size = result.bytes_.size();
    std::size_t begin = 0;
    while (begin < size) {
        std::size_t end = begin;
        while (end < size && data[end] != '\r' && data[end] != '\n')
            ++end;
        result.bounds_.push_back(begin);
        result.bounds_.push_back(end);
        if (end < size && data[end] == '\r' && end + 1 < size && data[end + 1] == '\n')
            begin = end + 2;
        else
            begin = end + 1;
    }
    return result;
}

} // namespace akt
