#include "update/executor/dml_batch.h"

#include "update/parser/ascii_case.h"

#include <string_view>

namespace akt {
namespace {

constexpr std::string_view kBlockStart = "EXECUTE BLOCK AS BEGIN\r\n";
constexpr std::string_view kStatementEnd = "\r\n;\r\n";
constexpr std::string_view kBlockEnd = "END";

bool isWordByte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
}

// Words that make a statement behave differently inside a block than alone.
bool changesMeaningInABlock(std::string_view word) {
    return equalsAnyIgnoreCase(word, {"RETURNING", "CURRENT_TIMESTAMP", "CURRENT_TIME", "CURRENT_DATE",
                                      "LOCALTIMESTAMP", "LOCALTIME", "SQLCODE", "GDSCODE", "SQLSTATE", "ROW_COUNT"});
}

// A literal the engine turns into the current moment when it converts it to a date or time.
bool isMomentLiteral(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return equalsAnyIgnoreCase(text, {"NOW", "TODAY", "TOMORROW", "YESTERDAY"});
}

// Walks the statement as the engine reads it: quoted strings and identifiers (a doubled quote stays
// inside), block comments and line comments are not code. Returns the contexts the statement's code
// words suggest, or nothing when something in it rules the block out.
class CodeScan {
public:
    explicit CodeScan(std::string_view text) : text_(text) {}

    std::optional<int> contextsFrom(bool firstFromIsTarget) {
        int contexts = 0;
        bool targetFromSeen = !firstFromIsTarget;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\'' || c == '"') {
                const std::optional<std::string_view> quoted = skipQuoted(c);
                if (!quoted || (c == '\'' && isMomentLiteral(*quoted)))
                    return std::nullopt;
            } else if (startsWith("/*")) {
                const std::size_t end = text_.find("*/", pos_ + 2);
                if (end == std::string_view::npos)
                    return std::nullopt;
                pos_ = end + 2;
            } else if (startsWith("--")) {
                const std::size_t end = text_.find('\n', pos_);
                pos_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else if (c == ';' || c == '?' || c == ':') {
                return std::nullopt;
            } else if (isWordByte(c)) {
                const std::string_view word = readWord();
                // q'{...}': a string whose end this walk would not find.
                if (equalsIgnoreCase(word, "Q") && pos_ < text_.size() && text_[pos_] == '\'')
                    return std::nullopt;
                if (changesMeaningInABlock(word))
                    return std::nullopt;
                if (!targetFromSeen && equalsIgnoreCase(word, "FROM"))
                    targetFromSeen = true;
                else if (equalsAnyIgnoreCase(word, {"SELECT", "FROM", "JOIN", "USING"}))
                    contexts += 2;
            } else {
                ++pos_;
            }
        }
        return contexts;
    }

private:
    bool startsWith(std::string_view mark) const { return text_.substr(pos_, mark.size()) == mark; }

    std::string_view readWord() {
        const std::size_t begin = pos_;
        while (pos_ < text_.size() && isWordByte(text_[pos_]))
            ++pos_;
        return text_.substr(begin, pos_ - begin);
    }

    // The text between the quotes, doubled quotes left as they are; nothing when it is not closed.
    std::optional<std::string_view> skipQuoted(char quote) {
        const std::size_t begin = ++pos_;
        for (;;) {
            const std::size_t end = text_.find(quote, pos_);
            if (end == std::string_view::npos)
                return std::nullopt;
            if (end + 1 < text_.size() && text_[end + 1] == quote) {
                pos_ = end + 2;
                continue;
            }
            pos_ = end + 1;
            return text_.substr(begin, end - begin);
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// The contexts a statement's own target takes, or nothing for a statement that is not batched.
std::optional<int> targetContexts(const std::vector<std::string>& words) {
    if (words.empty())
        return std::nullopt;
    if (equalsIgnoreCase(words[0], "INSERT") || equalsIgnoreCase(words[0], "DELETE"))
        return 1;
    if (equalsIgnoreCase(words[0], "UPDATE"))
        return words.size() > 1 && equalsIgnoreCase(words[1], "OR") ? 3 : 2;
    return std::nullopt;
}

} // namespace

std::optional<int> batchContexts(const ScriptStatement& statement) {
    if (statement.kind != StatementKind::stmtDML)
        return std::nullopt;
    const std::optional<int> target = targetContexts(statement.words);
    if (!target)
        return std::nullopt;
    const bool deleteFrom = equalsIgnoreCase(statement.words[0], "DELETE");
    const std::optional<int> more = CodeScan(statement.text).contextsFrom(deleteFrom);
    if (!more)
        return std::nullopt;
    return *target + *more;
}

std::size_t DmlBatch::textBytes(const ScriptStatement& statement) const {
    return statement.text.size() + kStatementEnd.size();
}

bool DmlBatch::fits(const ScriptStatement& statement, int contexts) const {
    return statements_.size() < maxStatements_ && contexts_ + contexts <= maxContexts_ &&
           kBlockStart.size() + bytes_ + textBytes(statement) + kBlockEnd.size() <= kMaxTextBytes;
}

void DmlBatch::add(ScriptStatement statement, int contexts) {
    contexts_ += contexts;
    bytes_ += textBytes(statement);
    statements_.push_back(std::move(statement));
}

void DmlBatch::clear() {
    statements_.clear();
    contexts_ = 0;
    bytes_ = 0;
}

QByteArray DmlBatch::blockText() const {
    QByteArray text;
    text.reserve(qsizetype(kBlockStart.size() + bytes_ + kBlockEnd.size()));
    text.append(kBlockStart.data(), qsizetype(kBlockStart.size()));
    for (const ScriptStatement& statement : statements_) {
        text.append(statement.text.data(), qsizetype(statement.text.size()));
        text.append(kStatementEnd.data(), qsizetype(kStatementEnd.size()));
    }
    text.append(kBlockEnd.data(), qsizetype(kBlockEnd.size()));
    return text;
}

void DmlBatch::shrink() {
    maxContexts_ /= 2;
    if (maxContexts_ < 8)
        maxStatements_ = 1;
}

} // namespace akt
