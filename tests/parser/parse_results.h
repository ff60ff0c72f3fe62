#pragma once

#include "update/parser/script_parser.h"

#include <string>
#include <vector>

namespace akt::test {

// Everything the parser delivers for `lines`, one readable string per result:
// "stmtDDL@1:CREATE TABLE t (a int)" or "Invalid statement@3:COMMIT WORK". CR LF shows as "|".
std::vector<std::string> parseAll(ScriptParser& parser, const std::vector<std::string>& lines);
std::vector<std::string> parseAll(const std::vector<std::string>& lines);
// The same for a file's bytes, split as loadScriptFile splits them.
std::vector<std::string> parseBytes(const std::string& bytes);

// The first result the parser delivers for one script, as the parser gives it.
ParseResult firstResult(const std::vector<std::string>& lines);

} // namespace akt::test
