#pragma once

#include <QByteArray>

namespace akt {

class Transaction;

// Runs a statement in one call (isc_dsql_execute_immediate), for statements that return nothing and have no
// parameter markers. Starts the transaction (and attaches) when needed.
void executeImmediate(Transaction& transaction, const QByteArray& sql);

// Prepares and executes a statement and reads any rows it returns to the end, discarding them. A statement
// with parameter markers fails with the engine's error for the missing values.
void executeDiscardingRows(Transaction& transaction, const QByteArray& sql);

} // namespace akt
