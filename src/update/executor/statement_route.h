#pragma once

#include "update/parser/statement.h"

namespace akt {

// Whether a DML statement may return rows through a cursor, and so must be prepared, executed and read to its
// end. Every other statement goes to the server in one call (execute immediately): a script run over the
// network then costs one round trip per statement instead of four. A singleton result (EXECUTE PROCEDURE,
// INSERT ... RETURNING) is fine in one call; a cursor (SELECT, EXECUTE BLOCK RETURNS) is refused by it.
// The answer errs towards the cursor: a wrong "yes" costs round trips, a wrong "no" a failed statement.
bool returnsRows(const ScriptStatement& statement);

} // namespace akt
