#pragma once

#include "update/parser/parse_result.h"
#include "update/parser/script_lines.h"
#include "update/parser/statement_scanner.h"

#include <string>

namespace akt {

// Cuts a script into statements, one at a time:
//
//     ScriptParser parser;                    // terminator ";"
//     parser.start(loadScriptFile(path));
//     for (;;) {
//         ParseResult result = parser.next();
//         if (std::holds_alternative<End>(result)) break;
//         ...                                 // ScriptStatement or ParseError; stop() after a failure
//     }
//
// Statements end at the current terminator outside quotes and block comments. SET TERM changes the
// terminator as soon as next() delivers it, and the new one stays for every later file started on
// the same parser; a SET TERM whose terminator holds a quote, a comment mark, a blank or a line break
// is an invalid statement and changes nothing. Empty statements are skipped. A NUL byte or a
// byte-order mark (see ScriptLines::foreignBytes) is a ParseError at its line once the statements in
// front of it are delivered; a statement it cuts off is not. A ParseError stops the file: next() then
// returns End until the next start().
class ScriptParser {
public:
    ScriptParser() = default;

    // Takes the lines of the next file and reads it from its first line; the terminator is kept.
    void start(ScriptLines lines);

    // The next statement of the file, or the error that makes it unreadable, or End.
    ParseResult next();

    // No further statement of this file will be delivered.
    void stop() { stopped_ = true; }
    bool stopped() const { return stopped_; }

    const std::string& terminator() const { return scanner_.terminator(); }
    const ScriptLines& lines() const { return lines_; }

private:
    ScriptLines lines_;
    StatementScanner scanner_{";"};
    ScriptPos cursor_;
    bool stopped_ = false;
};

} // namespace akt
