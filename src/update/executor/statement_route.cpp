#include "update/executor/statement_route.h"

#include "update/parser/ascii_case.h"

namespace akt {

// Statements that create, drop or switch databases, read other files or batch values have no place in an
// update script: the run creates and connects the database itself.
StatementRoute routeOf(const ScriptStatement& statement) {
    switch (statement.kind) {
    case StatementKind::stmtEMPTY:
        return StatementRoute::Skip;
    case StatementKind::stmtDML:
        return StatementRoute::Dml;
    case StatementKind::stmtDDL:
        return StatementRoute::Ddl;
    case StatementKind::stmtStartSavepoint:
    case StatementKind::stmtReleaseSavePoint:
    case StatementKind::stmtRollbackSavePoint:
        return StatementRoute::Savepoint;
    case StatementKind::stmtSET:
        // SET SAVEPOINTS is classified as a setting but has nothing to set here.
        return statement.words.size() >= 3 && equalsIgnoreCase(statement.words[1], "SAVEPOINTS")
                   ? StatementRoute::Refuse
                   : StatementRoute::Setting;
    case StatementKind::stmtTERM:
        return StatementRoute::TerminatorChange;
    case StatementKind::stmtCOMMIT:
        return StatementRoute::Commit;
    case StatementKind::stmtCOMMITRetaining:
        return StatementRoute::CommitRetaining;
    case StatementKind::stmtROLLBACK:
        return StatementRoute::Rollback;
    case StatementKind::stmtROLLBACKRetaining:
        return StatementRoute::RollbackRetaining;
    case StatementKind::stmtReconnect:
        return StatementRoute::Reconnect;
    case StatementKind::stmtCONNECT:
    case StatementKind::stmtDrop:
    case StatementKind::stmtCREATE:
    case StatementKind::stmtINPUT:
    case StatementKind::stmtUNK:
    case StatementKind::stmtERR:
    case StatementKind::stmtBatchStart:
    case StatementKind::stmtBatchExecute:
        return StatementRoute::Refuse;
    }
    return StatementRoute::Refuse;
}

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
