#pragma once

#include "update/parser/parse_result.h"

#include <QByteArray>

#include <cstddef>
#include <optional>
#include <vector>

namespace akt {

// Plain DML statements sent to the server together, as the body of one EXECUTE BLOCK: one round trip
// and one prepare for up to a few hundred statements instead of one each. The block runs in the same
// transaction and dialect as the statements alone would, and the engine undoes the whole block when
// one of them fails.

// How many relation contexts the engine may need for the statement inside a block, or nothing when
// the statement must run alone. Only INSERT, UPDATE, DELETE and UPDATE OR INSERT are batched, and
// not when they could behave differently inside a block: RETURNING, parameter markers or colons, a
// ";" of their own, the current time (a block reads it once for all its statements), the context
// variables a block has and a script does not (SQLCODE, GDSCODE, SQLSTATE, ROW_COUNT), or a
// Q-string. The estimate errs high: a view or a subquery can take more contexts than it seems, and
// the engine refuses a block of more than 256.
std::optional<int> batchContexts(const ScriptStatement& statement);

class DmlBatch {
public:
    // The engine's limits, measured on Firebird 3: 256 relation contexts in one request (257
    // single-row INSERTs fail), and 10 MB of statement text. A batch keeps well inside the text limit,
    // and its statement count keeps the window's events a few hundred statements apart at most.
    static constexpr int kMaxContexts = 256;
    static constexpr std::size_t kMaxStatements = 128;
    static constexpr std::size_t kMaxTextBytes = 1024 * 1024;

    // Whether a statement needing `contexts` can join without crossing a limit; an empty batch takes
    // any statement that fits the limits alone.
    bool fits(const ScriptStatement& statement, int contexts) const;
    void add(ScriptStatement statement, int contexts);
    bool empty() const { return statements_.empty(); }
    const std::vector<ScriptStatement>& statements() const { return statements_; }
    void clear();

    // EXECUTE BLOCK AS BEGIN <statement> ; ... END, each statement's own bytes, its ";" on the next line
    // so that a line comment at its end cannot swallow it.
    QByteArray blockText() const;

    // After a block the engine refused although each of its statements ran alone: the contexts were
    // underestimated (a view, say), so later batches take half as many. Below a handful the batch takes
    // one statement only, and statements run alone.
    void shrink();

private:
    std::size_t textBytes(const ScriptStatement& statement) const;

    std::vector<ScriptStatement> statements_;
    int contexts_ = 0;
    std::size_t bytes_ = 0;
    int maxContexts_ = kMaxContexts;
    std::size_t maxStatements_ = kMaxStatements;
};

} // namespace akt
