#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace akt {

// Answers "does the terminator begin here?" for positions of one line. Short terminators are
// compared in place. A long one (a SET TERM may name any word) would make that comparison costly
// on text that nearly repeats it, so it is found with a Knuth-Morris-Pratt automaton that runs
// ahead of the scanner: every byte of a line is fed to it at most once.
class TerminatorMatcher {
public:
    explicit TerminatorMatcher(std::string terminator);

    const std::string& text() const { return terminator_; }
    std::size_t size() const { return terminator_.size(); }
    char first() const { return terminator_[0]; }

    // Whether the terminator begins at `pos` of `line` (the line's number is `lineNo`). Cheapest when
    // the positions asked for one line do not decrease; a step back restarts that line's automaton.
    bool at(std::size_t lineNo, std::string_view line, std::size_t pos);

private:
    static constexpr std::size_t kShort = 8;

    void feed(char c);

    std::string terminator_;
    std::vector<std::size_t> fallback_; // longest proper border of each prefix, for long terminators
    std::size_t lineNo_ = static_cast<std::size_t>(-1);
    std::size_t lastPos_ = 0;
    std::size_t fed_ = 0;   // bytes of the line fed to the automaton so far
    std::size_t state_ = 0; // length of the terminator prefix that ends at fed_
};

} // namespace akt
