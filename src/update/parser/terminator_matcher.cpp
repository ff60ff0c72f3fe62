#include "update/parser/terminator_matcher.h"

#include <cstring>

namespace akt {

TerminatorMatcher::TerminatorMatcher(std::string terminator) : terminator_(std::move(terminator)) {
    if (terminator_.empty())
        terminator_ = ";";
    if (terminator_.size() <= kShort)
        return;
    fallback_.assign(terminator_.size(), 0);
    std::size_t border = 0;
    for (std::size_t i = 1; i < terminator_.size(); ++i) {
        while (border > 0 && terminator_[i] != terminator_[border])
            border = fallback_[border - 1];
        if (terminator_[i] == terminator_[border])
            ++border;
        fallback_[i] = border;
    }
}

void TerminatorMatcher::feed(char c) {
    if (state_ == terminator_.size())
        state_ = fallback_[state_ - 1];
    while (state_ > 0 && terminator_[state_] != c)
        state_ = fallback_[state_ - 1];
    if (terminator_[state_] == c)
        ++state_;
}

bool TerminatorMatcher::at(std::size_t lineNo, std::string_view line, std::size_t pos) {
    const std::size_t length = terminator_.size();
    if (pos >= line.size() || line.size() - pos < length)
        return false;
    if (length <= kShort)
        return line[pos] == terminator_[0] && std::memcmp(line.data() + pos, terminator_.data(), length) == 0;

    if (lineNo != lineNo_ || pos < lastPos_) {
        lineNo_ = lineNo;
        fed_ = pos;
        state_ = 0;
    }
    lastPos_ = pos;
    const std::size_t matchEnd = pos + length;
    while (fed_ < matchEnd)
        feed(line[fed_++]);
    return state_ == length;
}

} // namespace akt
