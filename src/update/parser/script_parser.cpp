#include "update/parser/script_parser.h"

#include "update/parser/statement_kind.h"

namespace akt {
namespace {

// Polish without its letters: the executor decodes parser texts as Windows-1250 (they are mostly a
// script's bytes), and plain ASCII is the one spelling that arrives unchanged whatever the source
// file's encoding.
const char* foreignBytesName(ForeignBytes found) {
    switch (found) {
    case ForeignBytes::none:
        return "";
    case ForeignBytes::nulByte:
        return "bajt NUL (0x00)";
    case ForeignBytes::utf8ByteOrderMark:
        return "znacznik BOM UTF-8 (EF BB BF)";
    case ForeignBytes::utf16LeByteOrderMark:
        return "znacznik BOM UTF-16 (FF FE)";
    case ForeignBytes::utf16BeByteOrderMark:
        return "znacznik BOM UTF-16 (FE FF)";
    }
    return "";
}

ParseError foreignBytesError(const ScriptLines& lines) {
    // The text ends on the line where the foreign bytes stand, its last line.
    const std::size_t lineIndex = lines.size();
    return ParseError{ParseError::kInvalidCharacter,
                      std::string(foreignBytesName(lines.foreignBytes())) + " w linii " + std::to_string(lineIndex) +
                          " - plik nie jest tekstem Windows-1250",
                      lineIndex};
}

// Whether the scanner came to the place where foreign bytes cut the text short. A statement that
// runs into it lacks its end, so it is not delivered; the foreign bytes are reported instead.
bool reachedForeignBytes(const ScriptLines& lines, const StatementScanner::Outcome& piece) {
    if (lines.foreignBytes() == ForeignBytes::none)
        return false;
    switch (piece.found) {
    case StatementScanner::Found::statement:
        return piece.reachedEnd;
    case StatementScanner::Found::emptyStatement:
        return false;
    case StatementScanner::Found::endOfScript:
    case StatementScanner::Found::unclosedComment:
        return true;
    }
    return true;
}

} // namespace

void ScriptParser::start(ScriptLines lines) {
    lines_ = std::move(lines);
    cursor_ = ScriptPos{};
    stopped_ = false;
    // A fresh scanner forgets what it knew of the previous file's lines; only the terminator stays.
    scanner_ = StatementScanner(scanner_.terminator());
}

ParseResult ScriptParser::next() {
    while (!stopped_) {
        StatementScanner::Outcome piece = scanner_.next(lines_, cursor_);
        if (reachedForeignBytes(lines_, piece)) {
            stopped_ = true;
            return foreignBytesError(lines_);
        }
        switch (piece.found) {
        case StatementScanner::Found::endOfScript:
            return End{};
        case StatementScanner::Found::emptyStatement:
            continue;
        case StatementScanner::Found::unclosedComment:
            stopped_ = true;
            return ParseError{ParseError::kInvalidComment, std::string(), piece.firstLine + 1};
        case StatementScanner::Found::statement:
            break;
        }

        const StatementKind kind = classifyStatement(piece.words, piece.wordCount);
        if (kind == StatementKind::stmtEMPTY)
            continue;
        if (kind == StatementKind::stmtERR) {
            stopped_ = true;
            return ParseError{ParseError::kInvalidStatement, std::move(piece.text), piece.firstLine + 1};
        }
        if (kind == StatementKind::stmtTERM)
            scanner_ = StatementScanner(piece.words[2]);
        return ScriptStatement{kind, std::move(piece.text), piece.firstLine + 1, std::move(piece.words)};
    }
    return End{};
}

} // namespace akt
