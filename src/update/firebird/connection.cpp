#include "update/firebird/connection.h"

#include "update/firebird/client_library.h"
#include "update/firebird/database_error.h"
#include "update/firebird/parameter_blocks.h"
#include "update/firebird/statement.h"
#include "update/firebird/statement_text.h"
#include "update/firebird/transaction.h"

#include <QFile>

#include <algorithm>

namespace akt {

Connection::Connection(const ClientLibrary& library)
    : library_(library), defaultTransaction_(std::make_unique<Transaction>(*this, defaultTransactionParameters())) {}

Connection::~Connection() {
    try {
        disconnect();
    } catch (const DatabaseError&) {
    }
    for (Statement* statement : statements_)
        statement->forgetConnection();
    for (Transaction* transaction : transactions_)
        if (transaction != defaultTransaction_.get())
            transaction->forgetConnection();
    statements_.clear();
    transactions_.clear();
}

QString Connection::targetFor(const QString& server, const QString& path) {
    if (server.trimmed().isEmpty())
        return path;
    return server + QLatin1Char(':') + path;
}

void Connection::remove(Transaction* transaction) {
    transactions_.erase(std::remove(transactions_.begin(), transactions_.end(), transaction), transactions_.end());
}

void Connection::remove(Statement* statement) {
    statements_.erase(std::remove(statements_.begin(), statements_.end(), statement), statements_.end());
}

void Connection::connect() {
    if (connected())
        return;
    if (target_.isEmpty())
        throw DatabaseError::databaseNameMissing();
    const QByteArray parameters = attachmentParameters(parameterLines_);
    const QByteArray name = QFile::encodeName(target_);
    ISC_STATUS_ARRAY status;
    library_.api().attach_database(status, short(name.size()), name.constData(), &handle_, short(parameters.size()),
                                   parameters.constData());
    checkStatus(library_, status, handle_);
    sharedHandle_ = handle_;
    readDatabaseDialect();
}

void Connection::createDatabase() {
    if (connected())
        throw DatabaseError::databaseAlreadyOpen();
    const QByteArray statement = creationStatement(target_, parameterLines_);
    isc_tr_handle noTransaction = 0;
    ISC_STATUS_ARRAY status;
    // A new database is always created in dialect 3, whatever dialect later statements use.
    library_.api().dsql_execute_immediate(status, &handle_, &noTransaction, statementTextLength(statement),
                                          statement.constData(), 3, nullptr);
    checkStatus(library_, status, handle_);
    sharedHandle_ = handle_;
    readDatabaseDialect();
}

void Connection::readDatabaseDialect() {
    const char items[] = {isc_info_db_sql_dialect, isc_info_end};
    char answer[32] = {};
    ISC_STATUS_ARRAY status;
    library_.api().database_info(status, &handle_, short(sizeof items), items, short(sizeof answer), answer);
    if (failed(status)) {
        const DatabaseError error(statusText(library_, status));
        // The attachment is of no use without its dialect; the reason the caller needs is the one above.
        try {
            detach();
        } catch (const DatabaseError&) {
        }
        throw error;
    }
    // Servers that predate dialects answer with an error item: those databases are dialect 1.
    databaseDialect_ = 1;
    if (answer[0] == isc_info_db_sql_dialect) {
        const short length = short(library_.api().vax_integer(answer + 1, 2));
        databaseDialect_ = int(library_.api().vax_integer(answer + 3, length));
    }
    sqlDialect_ = std::min(sqlDialect_, databaseDialect_);
}

void Connection::disconnect() {
    if (!connected())
        return;
    for (Statement* statement : statements_)
        statement->release();
    for (Transaction* transaction : transactions_)
        transaction->endQuietly();
    detach();
}

void Connection::detach() {
    sharedHandle_ = 0;
    ISC_STATUS_ARRAY status;
    library_.api().detach_database(status, &handle_);
    databaseDialect_ = 0;
    checkStatus(library_, status, handle_);
    handle_ = 0;
}

void Connection::cancelRunningCall() const noexcept {
    isc_db_handle handle = sharedHandle_;
    if (handle == 0)
        return;
    ISC_STATUS_ARRAY status;
    // A call that has just ended, or a handle detached meanwhile, makes this fail harmlessly.
    library_.api().cancel_operation(status, &handle, fb_cancel_raise);
}

void Connection::reconnect() {
    disconnect();
    connect();
}

} // namespace akt
