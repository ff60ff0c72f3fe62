#include "parse_results.h"

#include <variant>

namespace akt::test {
namespace {

std::string visible(const std::string& text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            shown += '|';
            ++i;
        } else {
            shown += text[i];
        }
    }
    return shown;
}

std::vector<std::string> resultsOf(ScriptParser& parser, ScriptLines lines) {
    parser.start(std::move(lines));
    std::vector<std::string> results;
    for (;;) {
        ParseResult result = parser.next();
        if (const auto* statement = std::get_if<ScriptStatement>(&result)) {
            results.push_back(std::string(statementKindName(statement->kind)) + "@" +
                              std::to_string(statement->lineIndex) + ":" + visible(statement->text));
        } else if (const auto* error = std::get_if<ParseError>(&result)) {
            results.push_back(error->errorText + "@" + std::to_string(error->lineIndex) + ":" + visible(error->text));
        } else {
            return results;
        }
    }
}

} // namespace

std::vector<std::string> parseAll(ScriptParser& parser, const std::vector<std::string>& lines) {
    return resultsOf(parser, ScriptLines(lines));
}

std::vector<std::string> parseBytes(const std::string& bytes) {
    ScriptParser parser;
    return resultsOf(parser, ScriptLines::fromBytes(bytes));
}

std::vector<std::string> parseAll(const std::vector<std::string>& lines) {
    ScriptParser parser;
    return parseAll(parser, lines);
}

ParseResult firstResult(const std::vector<std::string>& lines) {
    ScriptParser parser;
    parser.start(ScriptLines(lines));
    return parser.next();
}

} // namespace akt::test
