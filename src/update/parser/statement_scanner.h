#pragma once

#include "update/parser/script_lines.h"
#include "update/parser/terminator_matcher.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace akt {

// A place in the script: line (0-based) and byte within it.
struct ScriptPos {
    std::size_t line = 0;
    std::size_t col = 0;
    bool operator==(const ScriptPos& other) const { return line == other.line && col == other.col; }
};

// Cuts the next piece of a script off at the cursor: skips what stands in front of a statement,
// finds where the statement ends and collects its first words. It never looks at a byte twice,
// except the few bytes of a word read past the end of a procedure body.
class StatementScanner {
public:
    static constexpr std::size_t kKeptWords = 4;
    // Only a SET statement's words are read beyond its keywords (its values, the new terminator); the
    // words of any other statement are kept by their first bytes, enough to tell every keyword.
    static constexpr std::size_t kKeptWordLength = 64;

    enum class Found { statement, emptyStatement, endOfScript, unclosedComment };

    struct Outcome {
        Found found = Found::endOfScript;
        std::size_t firstLine = 0; // 0-based line where the statement or a comment in front begins
        std::string text;
        std::vector<std::string> words; // at most kKeptWords
        std::size_t wordCount = 0;      // exact up to kKeptWords + 1; above that it stops counting
        bool reachedEnd = false;        // no terminator: the statement ran to the end of the script
    };

    explicit StatementScanner(std::string terminator);

    const std::string& terminator() const { return matcher_.text(); }

    // Reads from `cursor` and moves it past what was read (past the terminator, if any).
    Outcome next(const ScriptLines& lines, ScriptPos& cursor);

private:
    bool tracking() const { return procedure_ || wordCount_ <= kKeptWords; }
    bool skipLeading(ScriptPos& cursor);
    void scanStatement(ScriptPos start);
    std::size_t skipPlain(std::string_view line, std::size_t col) const;
    bool skipQuoted(ScriptPos& pos, std::string_view& line) const;
    bool skipComment(ScriptPos& pos, std::string_view& line) const;
    void touch(ScriptPos pos);
    bool endWord(ScriptPos end);
    void keepWord(std::string_view word, ScriptPos end);
    bool checkProcedureEnd(std::string_view word, std::size_t line, std::size_t begin, std::size_t end);
    void finishAtTerminator(ScriptPos at);
    void finishAtEnd(ScriptPos start);
    std::string joined(ScriptPos from, ScriptPos to, std::size_t limit = std::string::npos) const;
    std::size_t joinedSize(ScriptPos from, ScriptPos to) const;

    TerminatorMatcher matcher_;
    std::array<bool, 256> special_{};   // bytes the scan past the first words must stop at
    std::array<bool, 256> wordStops_{}; // the same and the blank, while words are collected
    bool procedureAllowed_ = true;

    // State of the statement being scanned.
    const ScriptLines* lines_ = nullptr;
    Outcome out_;
    ScriptPos textEnd_;
    ScriptPos resume_;
    bool inWord_ = false;
    ScriptPos wordStart_;
    ScriptPos lastWordEnd_;
    std::size_t wordCount_ = 0;
    bool atTerminator_ = false;
    bool procedure_ = false;
    bool alterTrigger_ = false;
    bool afterEnd_ = false;
    ScriptPos endWordEnd_;
    bool afterActive_ = false;
};

} // namespace akt
