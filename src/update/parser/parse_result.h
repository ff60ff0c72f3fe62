#pragma once

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

namespace akt {

// The kinds of statement a script can hold, decided by the statement's first words. The order is
// the order the executor's statement-done event reports them in; stmtUNK is never produced.
enum class StatementKind {
    stmtDDL,
    stmtDML,
    stmtSET,
    stmtCONNECT,
    stmtDrop,
    stmtCREATE,
    stmtINPUT,
    stmtUNK,
    stmtEMPTY,
    stmtTERM,
    stmtERR,
    stmtCOMMIT,
    stmtROLLBACK,
    stmtReconnect,
    stmtRollbackSavePoint,
    stmtReleaseSavePoint,
    stmtStartSavepoint,
    stmtCOMMITRetaining,
    stmtROLLBACKRetaining,
    stmtBatchStart,
    stmtBatchExecute,
};

// The enumerator's own name ("stmtDDL", ...), for logs and test messages.
const char* statementKindName(StatementKind kind);

// A statement cut from the script, ready to execute.
struct ScriptStatement {
    StatementKind kind = StatementKind::stmtUNK;
    // The script's bytes from the first word up to the terminator, lines joined by CR LF.
    std::string text;
    // 1-based line of the script where the statement (or a block comment in front of it) begins.
    std::size_t lineIndex = 0;
    // The statement's first words, at most four of them (enough for every SET form the executor
    // handles): split at blanks, line ends and after a closing quote, tabs trimmed, the last word in
    // capitals when it stands directly before the terminator. For SET TERM, words[2] is the new
    // terminator. Only a SET statement keeps long words whole; any other keeps a word's first 64 bytes
    // (enough for its keywords), so a long value costs no second copy.
    std::vector<std::string> words;
};

// A statement that cannot be read. After it the parser is stopped for the rest of the file.
struct ParseError {
    // The error texts, one for each way a statement can be unreadable.
    static constexpr const char* kInvalidStatement = "Invalid statement"; // also: not allowed in a script
    static constexpr const char* kInvalidComment = "Invalid Comment";
    static constexpr const char* kInvalidCharacter = "Invalid character";

    std::string errorText; // one of the texts above
    // The statement text; empty for an unclosed comment. For an invalid character (a NUL byte or a
    // byte-order mark: the file is not Windows-1250 text), a Polish sentence in plain ASCII saying
    // what was found on which line, for the log.
    std::string text;
    std::size_t lineIndex = 0;
};

// No further statement in this file, or the parser has been stopped.
struct End {};

using ParseResult = std::variant<ScriptStatement, ParseError, End>;

} // namespace akt
