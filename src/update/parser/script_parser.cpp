#include "update/parser/script_parser.h"

#include "update/parser/statement_kind.h"

namespace akt {

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
        switch (piece.found) {
        case StatementScanner::Found::endOfScript:
            return End{};
        case StatementScanner::Found::emptyStatement:
            continue;
        case StatementScanner::Found::unclosedComment:
            stopped_ = true;
            return ParseError{"Invalid Comment", std::string(), piece.firstLine + 1};
        case StatementScanner::Found::statement:
            break;
        }

        const StatementKind kind = classifyStatement(piece.words, piece.wordCount);
        if (kind == StatementKind::stmtEMPTY)
            continue;
        if (kind == StatementKind::stmtERR) {
            stopped_ = true;
            return ParseError{"Invalid statement", std::move(piece.text), piece.firstLine + 1};
        }
        if (kind == StatementKind::stmtTERM)
            scanner_ = StatementScanner(piece.words[2]);
        return ScriptStatement{kind, std::move(piece.text), piece.firstLine + 1, std::move(piece.words)};
    }
    return End{};
}

} // namespace akt
