// Feeds arbitrary bytes through the script parser. The first byte picks the terminator the parser
// starts with (set the way a script sets it, by SET TERM in a file of its own); the rest is the
// script. Every input must end without a crash, a hang or a sanitizer report, and the parser must
// move forward with every result it delivers.
#include "update/parser/script_parser.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string pickTerminator(const std::uint8_t*& data, std::size_t& size) {
    static const char* const fixed[] = {";", "^", "!!", "GO", "END_OF_STATEMENT", "'", "/"};
    if (size == 0)
        return ";";
    const unsigned choice = data[0];
    ++data;
    --size;
    if (choice < 200)
        return fixed[choice % (sizeof fixed / sizeof fixed[0])];
    // Any word of the next few bytes.
    const std::size_t length = std::min<std::size_t>(size, choice % 12 + 1);
    std::string word(reinterpret_cast<const char*>(data), length);
    data += length;
    size -= length;
    return word;
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    akt::ScriptParser parser;
    const std::string terminator = pickTerminator(data, size);
    parser.start(akt::ScriptLines::fromBytes("SET TERM " + terminator + ";"));
    while (!std::holds_alternative<akt::End>(parser.next())) {
    }

    akt::ScriptLines lines = akt::ScriptLines::fromBytes(std::string(reinterpret_cast<const char*>(data), size));
    const std::size_t lineCount = lines.size();
    parser.start(std::move(lines));
    std::size_t results = 0;
    for (;;) {
        akt::ParseResult result = parser.next();
        if (std::holds_alternative<akt::End>(result))
            break;
        // Each result uses up at least one byte or line of the script.
        check(++results <= size + lineCount + 1);
        if (const auto* statement = std::get_if<akt::ScriptStatement>(&result)) {
            check(statement->lineIndex >= 1 && statement->lineIndex <= lineCount);
            check(!statement->text.empty() && !statement->words.empty() && statement->words.size() <= 4);
            check(statement->kind != akt::StatementKind::stmtERR && statement->kind != akt::StatementKind::stmtEMPTY);
        } else {
            const auto& error = std::get<akt::ParseError>(result);
            check(error.lineIndex >= 1 && error.lineIndex <= lineCount);
        }
    }
    check(!parser.terminator().empty());
    return 0;
}
