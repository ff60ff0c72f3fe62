#pragma once

#include "update/parser/parse_result.h"

namespace akt {

// What the executor does with a statement; every statement kind is decided once, in routeOf.
enum class StatementRoute {
    Skip,             // nothing to run and nothing to report (an empty statement)
    Refuse,           // not allowed in an update script: reported as a parse error, the file stops
    Dml,              // in the default transaction
    Ddl,              // in the executor's own transaction under automatic DDL commit, else in the default one
    Savepoint,        // SAVEPOINT, RELEASE SAVEPOINT, ROLLBACK TO: in the default transaction
    Setting,          // SET AUTODDL, STATISTICS, NAMES, SQL DIALECT: the executor's own settings
    TerminatorChange, // SET TERM: the parser has taken the new terminator already
    Commit,
    CommitRetaining,
    Rollback,
    RollbackRetaining,
    Reconnect,
};

StatementRoute routeOf(const ScriptStatement& statement);

// Whether a DML statement may return rows through a cursor, and so must be prepared, executed and read to its
// end. Every other statement goes to the server in one call (execute immediately): a script run over the
// network then costs one round trip per statement instead of four. A singleton result (EXECUTE PROCEDURE,
// INSERT ... RETURNING) is fine in one call; a cursor (SELECT, EXECUTE BLOCK RETURNS) is refused by it.
// The answer errs towards the cursor: a wrong "yes" costs round trips, a wrong "no" a failed statement.
bool returnsRows(const ScriptStatement& statement);

} // namespace akt
