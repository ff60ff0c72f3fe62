#include "update/parser/script_lines.h"

#include <algorithm>
#include <cstring>

namespace akt {
namespace {

struct TextEnd {
    std::size_t size = 0;
    ForeignBytes foreign = ForeignBytes::none;
};

bool startsWith(const std::string& bytes, std::string_view prefix) {
    return bytes.compare(0, prefix.size(), prefix) == 0;
}

// Where a file's text ends, and what ends it before its last byte. A text editor never writes a NUL
// byte; NUL padding at the end is what a copy into a preallocated file leaves, so only a NUL byte
// with something else behind it means the file is not Windows-1250 text (UTF-16 holds one in every
// ASCII character).
TextEnd textEnd(const std::string& bytes) {
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        return {0, ForeignBytes::utf8ByteOrderMark};
    if (startsWith(bytes, "\xFF\xFE"))
        return {0, ForeignBytes::utf16LeByteOrderMark};
    if (startsWith(bytes, "\xFE\xFF"))
        return {0, ForeignBytes::utf16BeByteOrderMark};
    const void* nul = std::memchr(bytes.data(), '\0', bytes.size());
    if (!nul)
        return {bytes.size(), ForeignBytes::none};
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data());
    const bool padding = bytes.find_first_not_of('\0', at) == std::string::npos;
    return {at, padding ? ForeignBytes::none : ForeignBytes::nulByte};
}

// Where the line after a line break at `at` begins (the break is CR LF, a lone CR or a lone LF).
std::size_t pastBreak(std::string_view text, std::size_t at) {
    if (at == text.size())
        return at;
    return text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? at + 2 : at + 1;
}

} // namespace

std::size_t ScriptLines::LineBreaks::find(std::string_view text, std::size_t from) {
    for (;;) {
        if (from < searchedFrom_ || from > lf_ || (from == lf_ && !lfFound_)) {
            searchedFrom_ = from;
            const std::size_t window = std::min(text.size() - from, kWindow);
            const void* lf = std::memchr(text.data() + from, '\n', window);
            lfFound_ = lf != nullptr;
            lf_ = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text.data()) : from + window;
        }
        if (const void* cr = std::memchr(text.data() + from, '\r', lf_ - from))
            return static_cast<std::size_t>(static_cast<const char*>(cr) - text.data());
        if (lfFound_ || lf_ == text.size())
            return lf_;
        from = lf_; // no break in this window; go on with the next one
    }
}

ScriptLines::ScriptLines(const std::vector<std::string>& lines) : count_(lines.size()), given_(true) {
    std::size_t total = 0;
    for (const auto& line : lines)
        total += line.size() + 1;
    bytes_.reserve(total);
    checkpoints_.reserve(lines.size() + 1);
    for (const auto& line : lines) {
        checkpoints_.push_back(bytes_.size());
        bytes_ += line;
        bytes_ += '\n'; // one byte between lines; the lines themselves may hold anything
    }
    checkpoints_.push_back(bytes_.size());
}

ScriptLines ScriptLines::fromBytes(std::string bytes) {
    const TextEnd end = textEnd(bytes);
    bytes.resize(end.size);
    ScriptLines result;
    result.bytes_ = std::move(bytes);
    result.foreign_ = end.foreign;

    const std::string_view text = result.bytes_;
    LineBreaks breaks;
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        if (count % kStride == 0)
            result.checkpoints_.push_back(at);
        at = pastBreak(text, breaks.find(text, at));
    }
    // Foreign bytes at the start of a line stand on a line of their own, empty in front of them.
    const bool atLineStart = text.empty() || text.back() == '\n' || text.back() == '\r';
    if (end.foreign != ForeignBytes::none && atLineStart) {
        if (count % kStride == 0)
            result.checkpoints_.push_back(text.size());
        ++count;
    }
    result.count_ = count;
    return result;
}

// Brings line `index` into recent_: onwards from the lines found last when it lies within a stride
// ahead of them, otherwise from the checkpoint in front of it.
void ScriptLines::reach(std::size_t index) const {
    const std::size_t checkpoint = index / stride();
    if (index < first_ || checkpoint * stride() > top_) {
        first_ = top_ = checkpoint * stride();
        topBegin_ = checkpoints_[checkpoint];
    }
    while (top_ <= index)
        step();
}

// Finds the bounds of line top_ and where the next line begins.
void ScriptLines::step() const {
    Bounds line;
    line.begin = topBegin_;
    if (given_) {
        topBegin_ = checkpoints_[top_ + 1];
        line.end = topBegin_ - 1;
    } else {
        line.end = breaks_.find(bytes_, line.begin);
        topBegin_ = pastBreak(bytes_, line.end);
    }
    recent_[top_ % kRecent] = line;
    ++top_;
    if (top_ - first_ > kRecent)
        ++first_;
}

} // namespace akt
