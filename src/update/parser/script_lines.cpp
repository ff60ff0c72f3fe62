#include "update/parser/script_lines.h"

#include <cstring>

namespace akt {

ScriptLines::ScriptLines(const std::vector<std::string>& lines) {
    std::size_t total = 0;
    for (const auto& line : lines)
        total += line.size() + 1;
    bytes_.reserve(total);
    starts_.reserve(lines.size() + 1);
    for (const auto& line : lines) {
        starts_.push_back(bytes_.size());
        bytes_ += line;
        bytes_ += '\n'; // one byte between lines; the lines themselves may hold anything
    }
    if (!lines.empty())
        starts_.push_back(bytes_.size());
}

ScriptLines ScriptLines::fromBytes(std::string bytes) {
    ScriptLines result;
    result.crlf_ = true;
    if (const void* nul = std::memchr(bytes.data(), '\0', bytes.size()))
        bytes.resize(static_cast<const char*>(nul) - bytes.data());
    result.bytes_ = std::move(bytes);

    const char* const data = result.bytes_.data();
    const std::size_t size = result.bytes_.size();
    result.starts_.reserve(size / 32 + 2);

    // Lines end at LF, CR LF or a lone CR. Each search starts past the previous find, so every byte
    // is looked at a bounded number of times even in a file of lone CRs.
    const char* const end = data + size;
    const char* nextLf = nullptr;
    const char* p = data;
    while (p < end) {
        result.starts_.push_back(static_cast<std::size_t>(p - data));
        if (nextLf < p) {
            nextLf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            if (!nextLf)
                nextLf = end;
        }
        const auto* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(nextLf - p)));
        if (cr && cr + 1 != nextLf)
            p = cr + 1; // a lone CR
        else
            p = nextLf == end ? end : nextLf + 1;
    }
    if (size > 0)
        result.starts_.push_back(size);
    return result;
}

} // namespace akt
