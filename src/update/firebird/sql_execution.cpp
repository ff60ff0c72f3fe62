#include "update/firebird/sql_execution.h"

#include "update/firebird/client_library.h"
#include "update/firebird/connection.h"
#include "update/firebird/database_error.h"
#include "update/firebird/statement.h"
#include "update/firebird/statement_text.h"
#include "update/firebird/transaction.h"

namespace akt {

void executeImmediate(Transaction& transaction, const QByteArray& sql) {
    transaction.ensureStarted();
    Connection& connection = transaction.connection();
    ISC_STATUS_ARRAY status;
    connection.library().api().dsql_execute_immediate(status, connection.handle(), transaction.handle(),
                                                      statementTextLength(sql), sql.constData(),
                                                      static_cast<unsigned short>(connection.sqlDialect()), nullptr);
    checkStatus(connection.library(), status);
}

void executeDiscardingRows(Transaction& transaction, const QByteArray& sql) {
    Statement statement(transaction);
    statement.prepare(sql);
    statement.execute();
    while (statement.fetch()) {
    }
}

} // namespace akt
