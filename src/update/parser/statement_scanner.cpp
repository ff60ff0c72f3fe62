#include "update/parser/statement_scanner.h"

#include "update/parser/ascii_case.h"
#include "update/parser/statement_kind.h"

#include <algorithm>
#include <cstring>

namespace akt {
namespace {

bool isBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// Words are trimmed of tabs and other white space at their ends; the blank itself only separates.
std::pair<std::size_t, std::size_t> trimmedBounds(std::string_view word) {
    std::size_t begin = 0;
    std::size_t end = word.size();
    while (begin < end && isBlankOrControl(word[begin]))
        ++begin;
    while (end > begin && isBlankOrControl(word[end - 1]))
        --end;
    return {begin, end};
}

bool isActivation(std::string_view word) {
    return equalsIgnoreCase(word, "ACTIVE") || equalsIgnoreCase(word, "INACTIVE");
}

} // namespace

StatementScanner::StatementScanner(std::string terminator) : matcher_(std::move(terminator)) {
    procedureAllowed_ = matcher_.text() == ";";
    for (unsigned char c : {'\'', '"', '/'})
        special_[c] = true;
    special_[static_cast<unsigned char>(matcher_.first())] = true;
    wordStops_ = special_;
    wordStops_[' '] = true;
}

StatementScanner::Outcome StatementScanner::next(const ScriptLines& lines, ScriptPos& cursor) {
    lines_ = &lines;
    out_ = Outcome{};
    if (!skipLeading(cursor))
        return std::move(out_);
    out_.words.reserve(kKeptWords);
    scanStatement(cursor);
    cursor = resume_;
    return std::move(out_);
}

// Drops blanks, line breaks and block comments in front of a statement. Returns true when a
// statement's first word is at the cursor; otherwise out_ says what was found instead.
bool StatementScanner::skipLeading(ScriptPos& cursor) {
    const ScriptLines& lines = *lines_;
    bool comment = false;
    while (cursor.line < lines.size()) {
        const std::string_view line = lines[cursor.line];
        if (cursor.col >= line.size()) {
            ++cursor.line;
            cursor.col = 0;
            continue;
        }
        // A quote or "/*" opens a string or a comment even where the terminator could begin, so the
        // terminator is looked for only after them.
        const char c = line[cursor.col];
        const bool opensComment = c == '/' && cursor.col + 1 < line.size() && line[cursor.col + 1] == '*';
        if (!opensComment && c != '\'' && c != '"' && matcher_.at(cursor.line, line, cursor.col)) {
            cursor.col += matcher_.size();
            out_.found = Found::emptyStatement;
            return false;
        }
        if (isBlankOrControl(c)) {
            ++cursor.col;
            continue;
        }
        if (opensComment) {
            if (!comment)
                out_.firstLine = cursor.line;
            comment = true;
            std::string_view current = line;
            if (!skipComment(cursor, current)) {
                out_.found = Found::unclosedComment;
                return false;
            }
            continue;
        }
        if (!comment)
            out_.firstLine = cursor.line;
        out_.found = Found::statement;
        return true;
    }
    out_.found = comment ? Found::emptyStatement : Found::endOfScript;
    return false;
}

void StatementScanner::scanStatement(ScriptPos start) {
    const ScriptLines& lines = *lines_;
    inWord_ = false;
    wordCount_ = 0;
    atTerminator_ = procedure_ = alterTrigger_ = afterEnd_ = afterActive_ = false;
    lastWordEnd_ = ScriptPos{static_cast<std::size_t>(-1), 0};

    ScriptPos pos = start;
    std::string_view line = lines[pos.line];
    for (;;) {
        if (!tracking())
            pos.col = skipPlain(line, pos.col);
        if (pos.col >= line.size()) {
            if (endWord(pos))
                break;
            if (++pos.line >= lines.size()) {
                finishAtEnd(start);
                return;
            }
            line = lines[pos.line];
            pos.col = 0;
            continue;
        }
        const char c = line[pos.col];
        // Quotes and comments come first: the terminator is matched only outside them, and the
        // quote or "/*" that opens one is already inside.
        if (c == '\'' || c == '"') {
            touch(pos);
            if (!skipQuoted(pos, line)) {
                finishAtEnd(start);
                return;
            }
            if (endWord(pos)) // a word ends right after its closing quote
                break;
            continue;
        }
        if (c == '/' && pos.col + 1 < line.size() && line[pos.col + 1] == '*') {
            touch(pos);
            if (!skipComment(pos, line)) {
                finishAtEnd(start);
                return;
            }
            continue;
        }
        if (!procedure_ && c == matcher_.first() && matcher_.at(pos.line, line, pos.col)) {
            finishAtTerminator(pos);
            break;
        }
        if (c == ' ') {
            if (endWord(pos))
                break;
            ++pos.col;
        } else {
            touch(pos);
            do
                ++pos.col;
            while (pos.col < line.size() && !wordStops_[static_cast<unsigned char>(line[pos.col])]);
        }
    }
    out_.text = joined(start, textEnd_);
    out_.wordCount = wordCount_;
}

// Past the first words only the terminator, quotes and comments matter; run over everything else.
std::size_t StatementScanner::skipPlain(std::string_view line, std::size_t col) const {
    while (col < line.size() && !special_[static_cast<unsigned char>(line[col])])
        ++col;
    return col;
}

// Moves `pos` from an opening quote to just past its closing quote, across lines; a doubled quote
// stands for one quote inside. Returns false when the quote is never closed.
bool StatementScanner::skipQuoted(ScriptPos& pos, std::string_view& line) const {
    const char quote = line[pos.col];
    std::size_t from = pos.col + 1;
    for (;;) {
        const void* hit = from < line.size() ? std::memchr(line.data() + from, quote, line.size() - from) : nullptr;
        if (hit) {
            const std::size_t at = static_cast<const char*>(hit) - line.data();
            if (at + 1 < line.size() && line[at + 1] == quote) {
                from = at + 2;
                continue;
            }
            pos.col = at + 1;
            return true;
        }
        if (++pos.line >= lines_->size())
            return false;
        line = (*lines_)[pos.line];
        from = 0;
    }
}

// Moves `pos` from "/*" to just past the next "*/", across lines. Returns false when it never comes.
bool StatementScanner::skipComment(ScriptPos& pos, std::string_view& line) const {
    std::size_t from = pos.col + 2;
    for (;;) {
        const std::size_t at = from < line.size() ? line.find("*/", from) : std::string_view::npos;
        if (at != std::string_view::npos) {
            pos.col = at + 2;
            return true;
        }
        if (++pos.line >= lines_->size())
            return false;
        line = (*lines_)[pos.line];
        from = 0;
    }
}

void StatementScanner::touch(ScriptPos pos) {
    if (!inWord_ && tracking()) {
        inWord_ = true;
        wordStart_ = pos;
    }
}

// Closes the word that runs up to `end`. Returns true when, inside a procedure or trigger, that
// word ends the statement (textEnd_ and resume_ are then set).
bool StatementScanner::endWord(ScriptPos end) {
    if (!inWord_)
        return false;
    inWord_ = false;

    std::string_view word;
    std::size_t begin = 0;
    const bool singleLine = wordStart_.line == end.line;
    if (singleLine) {
        word = (*lines_)[end.line].substr(wordStart_.col, end.col - wordStart_.col);
        auto [b, e] = trimmedBounds(word);
        if (b == e)
            return false;
        word = word.substr(b, e - b);
        begin = wordStart_.col + b;
    }

    ++wordCount_;
    lastWordEnd_ = end;
    if (out_.words.size() < kKeptWords)
        keepWord(word, end);

    if (wordCount_ == 2 && procedureAllowed_ && !atTerminator_) {
        const std::string& first = out_.words[0];
        const std::string& second = out_.words[1];
        procedure_ = (equalsIgnoreCase(first, "CREATE") || equalsIgnoreCase(first, "ALTER")) &&
                     (equalsIgnoreCase(second, "PROCEDURE") || equalsIgnoreCase(second, "TRIGGER"));
        alterTrigger_ = procedure_ && equalsIgnoreCase(first, "ALTER") && equalsIgnoreCase(second, "TRIGGER");
    }
    if (!procedure_ || atTerminator_)
        return false;
    if (!singleLine) {
        afterEnd_ = afterActive_ = false;
        return false;
    }
    return checkProcedureEnd(word, end.line, begin, begin + word.size());
}

// Adds the word that ends at `end` to the statement's words; `word` is the trimmed word when it lies on
// one line. A word of many megabytes (a long value in the fourth word of an INSERT) thus costs no
// second copy beside the statement's text, unless a SET statement holds it.
void StatementScanner::keepWord(std::string_view word, ScriptPos end) {
    const bool wholeWords = !out_.words.empty() && equalsIgnoreCase(out_.words[0], "SET");
    const std::size_t limit = wholeWords ? std::string::npos : kKeptWordLength;
    if (wordStart_.line == end.line) {
        out_.words.emplace_back(word.substr(0, limit));
        return;
    }
    // Only a quote or a comment carries a word over a line end, so it is never blank.
    std::string multiLine = joined(wordStart_, end, limit);
    auto [b, e] = trimmedBounds(multiLine);
    multiLine.erase(e);
    multiLine.erase(0, b);
    out_.words.push_back(std::move(multiLine));
}

// A procedure or trigger body keeps its semicolons; the statement ends after END; or END ; (its
// text ending with END), or at the semicolon of ALTER TRIGGER name ACTIVE; / INACTIVE;.
bool StatementScanner::checkProcedureEnd(std::string_view word, std::size_t line, std::size_t begin, std::size_t end) {
    if (equalsIgnoreCase(word, "END;") ||
        (alterTrigger_ && wordCount_ == 4 &&
         (equalsIgnoreCase(word, "ACTIVE;") || equalsIgnoreCase(word, "INACTIVE;")))) {
        textEnd_ = {line, end - 1};
        resume_ = {line, end};
        return true;
    }
    if (word == ";" && afterEnd_) {
        textEnd_ = endWordEnd_;
        resume_ = {line, end};
        return true;
    }
    if (word == ";" && afterActive_ && wordCount_ == 5) {
        textEnd_ = {line, begin};
        resume_ = {line, end};
        return true;
    }
    afterEnd_ = equalsIgnoreCase(word, "END");
    endWordEnd_ = {line, end};
    afterActive_ = alterTrigger_ && wordCount_ == 4 && isActivation(word);
    return false;
}

void StatementScanner::finishAtTerminator(ScriptPos at) {
    atTerminator_ = true;
    endWord(at);
    // The last word is taken in capitals when nothing stands between it and the terminator.
    if (lastWordEnd_ == at && wordCount_ == out_.words.size())
        toAsciiUpper(out_.words.back());
    textEnd_ = at;
    resume_ = {at.line, at.col + matcher_.size()};
}

// No terminator before the end of the script (or an unclosed quote or comment swallowed the rest):
// the statement runs to the end.
void StatementScanner::finishAtEnd(ScriptPos start) {
    const ScriptLines& lines = *lines_;
    const ScriptPos end{lines.size() - 1, lines[lines.size() - 1].size()};
    atTerminator_ = true; // the end of the script never closes a procedure body
    out_.reachedEnd = true;
    endWord(end);
    textEnd_ = end;
    resume_ = {lines.size(), 0};
    out_.text = joined(start, end);
    out_.wordCount = wordCount_;
}

// The text from `from` to `to`, lines joined by CR LF; with a limit, only its first `limit` bytes.
std::string StatementScanner::joined(ScriptPos from, ScriptPos to, std::size_t limit) const {
    const ScriptLines& lines = *lines_;
    if (from.line == to.line)
        return std::string(lines[from.line].substr(from.col, std::min(to.col - from.col, limit)));

    std::string text;
    // Without a limit the size is known first, so a long statement is built without regrowing.
    if (limit == std::string::npos)
        text.reserve(joinedSize(from, to));
    const auto append = [&text, limit](std::string_view piece) {
        text.append(piece.substr(0, limit - std::min(limit, text.size())));
    };
    append(lines[from.line].substr(from.col));
    for (std::size_t i = from.line + 1; i <= to.line && text.size() < limit; ++i) {
        append("\r\n");
        append(i == to.line ? lines[i].substr(0, to.col) : lines[i]);
    }
    return text;
}

std::size_t StatementScanner::joinedSize(ScriptPos from, ScriptPos to) const {
    const ScriptLines& lines = *lines_;
    std::size_t size = lines[from.line].size() - from.col + to.col;
    for (std::size_t i = from.line + 1; i < to.line; ++i)
        size += lines[i].size();
    return size + 2 * (to.line - from.line);
}

} // namespace akt
