#include "update/executor/statement_route.h"

#include "update/parser/statement_kind.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace akt {
namespace {

bool containsIgnoreCase(std::string_view text, std::string_view word) {
    const auto found = std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
    });
    return found != text.end();
}

} // namespace

bool returnsRows(const ScriptStatement& statement) {
    const std::vector<std::string>& words = statement.words;
    if (words.empty())
        return false;
    if (equalsIgnoreCase(words[0], "SELECT"))
        return true;
    // Only an EXECUTE BLOCK that declares output columns can SUSPEND rows. RETURNS anywhere in the text counts,
    // even in a string, a comment or an EXECUTE PROCEDURE (which the cursor path runs as well), and whether or
    // not BLOCK stands apart from a "(": a wrong guess only costs the round trips saved.
    return equalsIgnoreCase(words[0], "EXECUTE") && containsIgnoreCase(statement.text, "RETURNS");
}

} // namespace akt
