#include "update/parser/statement_kind.h"

#include "update/parser/ascii_case.h"

#include <initializer_list>

namespace akt {
namespace {

// A terminator is looked for outside quotes and comments, so one that holds a quote or a comment mark
// would open or close them instead of ending a statement (SET TERM /* would swallow the rest of every
// later file). One with a blank, a tab or another control byte cannot be told from the white space
// around words, and one with a line break can never be matched inside a line.
bool isUsableTerminator(std::string_view terminator) {
    if (terminator.empty() || terminator.find_first_of("'\"") != std::string_view::npos)
        return false;
    if (terminator.find("/*") != std::string_view::npos || terminator.find("*/") != std::string_view::npos)
        return false;
    for (char c : terminator)
        if (static_cast<unsigned char>(c) <= ' ')
            return false;
    return true;
}

StatementKind classifyCommit(const std::vector<std::string>& words, std::size_t count) {
    if (count == 1 || count >= 3)
        return StatementKind::stmtCOMMIT;
    // RETAINING is compared exactly: it is in capitals when it ends the statement, in front of the
    // terminator, and only then.
    return words[1] == "RETAINING" ? StatementKind::stmtCOMMITRetaining : StatementKind::stmtERR;
}

StatementKind classifyRollback(const std::vector<std::string>& words, std::size_t count) {
    if (count == 1)
        return StatementKind::stmtROLLBACK;
    if (count == 2 && words[1] == "RETAINING")
        return StatementKind::stmtROLLBACKRetaining;
    // ROLLBACK [WORK] TO [SAVEPOINT] name rolls back to a savepoint. Any other form (ROLLBACK WORK,
    // a lower-case retaining) would end the transaction behind the executor's back, so it is refused.
    std::size_t next = 1;
    if (next < count && next < words.size() && equalsIgnoreCase(words[next], "WORK"))
        ++next;
    if (next + 1 < count && next < words.size() && equalsIgnoreCase(words[next], "TO"))
        return StatementKind::stmtRollbackSavePoint;
    return StatementKind::stmtERR;
}

StatementKind classifySet(const std::vector<std::string>& words, std::size_t count) {
    const std::string& second = words[1];
    if (equalsIgnoreCase(second, "GENERATOR"))
        return StatementKind::stmtDDL;
    if (count >= 3 && equalsIgnoreCase(second, "STATISTICS") && equalsIgnoreCase(words[2], "INDEX"))
        return StatementKind::stmtDDL;
    if (count == 3 && equalsIgnoreCase(second, "TERM"))
        return isUsableTerminator(words[2]) ? StatementKind::stmtTERM : StatementKind::stmtERR;
    if (count == 4 && equalsIgnoreCase(second, "SQL") && equalsIgnoreCase(words[2], "DIALECT"))
        return StatementKind::stmtSET;
    if (count == 3 && equalsAnyIgnoreCase(second, {"AUTODDL", "STATISTICS", "NAMES", "SAVEPOINTS"}))
        return StatementKind::stmtSET;
    return StatementKind::stmtERR;
}

} // namespace

StatementKind classifyStatement(const std::vector<std::string>& words, std::size_t count) {
    if (count == 0 || words.empty())
        return StatementKind::stmtEMPTY;
    const std::string& first = words[0];
    if (equalsIgnoreCase(first, "COMMIT"))
        return classifyCommit(words, count);
    if (equalsIgnoreCase(first, "ROLLBACK"))
        return classifyRollback(words, count);
    if (equalsIgnoreCase(first, "RECONNECT"))
        return StatementKind::stmtReconnect;
    if (equalsIgnoreCase(first, "SAVEPOINT"))
        return StatementKind::stmtStartSavepoint;
    if (count == 1 || words.size() < 2)
        return StatementKind::stmtERR;

    const std::string& second = words[1];
    if (equalsIgnoreCase(first, "BATCH")) {
        if (equalsIgnoreCase(second, "START"))
            return StatementKind::stmtBatchStart;
        return equalsIgnoreCase(second, "EXECUTE") ? StatementKind::stmtBatchExecute : StatementKind::stmtERR;
    }
    if (equalsIgnoreCase(first, "RELEASE") && equalsIgnoreCase(second, "SAVEPOINT"))
        return StatementKind::stmtReleaseSavePoint;
    if (equalsAnyIgnoreCase(first, {"INSERT", "UPDATE", "DELETE", "SELECT", "EXECUTE"}))
        return StatementKind::stmtDML;
    if (equalsIgnoreCase(first, "INPUT"))
        return StatementKind::stmtINPUT;
    if (equalsIgnoreCase(first, "CONNECT"))
        return StatementKind::stmtCONNECT;
    if (equalsIgnoreCase(first, "CREATE") && equalsAnyIgnoreCase(second, {"DATABASE", "SCHEMA"}))
        return StatementKind::stmtCREATE;
    if (equalsIgnoreCase(first, "DROP") && equalsIgnoreCase(second, "DATABASE"))
        return StatementKind::stmtDrop;
    if (equalsAnyIgnoreCase(first, {"DECLARE", "CREATE", "ALTER", "GRANT", "REVOKE", "DROP"}))
        return StatementKind::stmtDDL;
    if (equalsIgnoreCase(first, "SET"))
        return classifySet(words, count);
    return StatementKind::stmtERR;
}

const char* statementKindName(StatementKind kind) {
    switch (kind) {
    case StatementKind::stmtDDL:
        return "stmtDDL";
    case StatementKind::stmtDML:
        return "stmtDML";
    case StatementKind::stmtSET:
        return "stmtSET";
    case StatementKind::stmtCONNECT:
        return "stmtCONNECT";
    case StatementKind::stmtDrop:
        return "stmtDrop";
    case StatementKind::stmtCREATE:
        return "stmtCREATE";
    case StatementKind::stmtINPUT:
        return "stmtINPUT";
    case StatementKind::stmtUNK:
        return "stmtUNK";
    case StatementKind::stmtEMPTY:
        return "stmtEMPTY";
    case StatementKind::stmtTERM:
        return "stmtTERM";
    case StatementKind::stmtERR:
        return "stmtERR";
    case StatementKind::stmtCOMMIT:
        return "stmtCOMMIT";
    case StatementKind::stmtROLLBACK:
        return "stmtROLLBACK";
    case StatementKind::stmtReconnect:
        return "stmtReconnect";
    case StatementKind::stmtRollbackSavePoint:
        return "stmtRollbackSavePoint";
    case StatementKind::stmtReleaseSavePoint:
        return "stmtReleaseSavePoint";
    case StatementKind::stmtStartSavepoint:
        return "stmtStartSavepoint";
    case StatementKind::stmtCOMMITRetaining:
        return "stmtCOMMITRetaining";
    case StatementKind::stmtROLLBACKRetaining:
        return "stmtROLLBACKRetaining";
    case StatementKind::stmtBatchStart:
        return "stmtBatchStart";
    case StatementKind::stmtBatchExecute:
        return "stmtBatchExecute";
    }
    return "stmtUNK";
}

} // namespace akt
