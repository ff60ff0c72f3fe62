#pragma once

#include "update/parser/parse_result.h"

#include <string>
#include <vector>

namespace akt {

// Decides a statement's kind from its first words (as ScriptStatement::words holds them) and the number
// of its words; any count above four may be given as five, the rules do not tell them apart.
StatementKind classifyStatement(const std::vector<std::string>& words, std::size_t wordCount);

} // namespace akt
