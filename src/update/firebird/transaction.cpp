#include "update/firebird/transaction.h"

#include "update/firebird/client_library.h"
#include "update/firebird/connection.h"
#include "update/firebird/database_error.h"

namespace akt {

Transaction::Transaction(Connection& connection, const QByteArray& parameters)
    : connection_(&connection), parameters_(parameters) {
    connection.add(this);
}

Transaction::~Transaction() {
    if (!connection_)
        return;
    if (active()) {
        ISC_STATUS_ARRAY status;
        connection_->library().api().rollback_transaction(status, &handle_);
    }
    connection_->remove(this);
}

Connection& Transaction::connection() {
    if (!connection_)
        throw DatabaseError::databaseNotOpen();
    return *connection_;
}

void Transaction::start() {
    Connection& owner = connection();
    if (!owner.connected())
        throw DatabaseError::databaseNotOpen();
    if (active())
        throw DatabaseError::transactionActive();
    ISC_STATUS_ARRAY status;
    owner.library().api().start_transaction(status, &handle_, 1, owner.handle(), int(parameters_.size()),
                                            parameters_.isEmpty() ? nullptr : parameters_.constData());
    checkStatus(owner.library(), status, handle_);
}

void Transaction::ensureStarted() {
    connection().connect();
    if (!active())
        start();
}

void Transaction::end(decltype(ClientLibrary::Api::commit_transaction) ClientLibrary::Api::*function) {
    if (!active())
        return;
    const ClientLibrary& library = connection().library();
    ISC_STATUS_ARRAY status;
    (library.api().*function)(status, &handle_);
    checkStatus(library, status);
}

void Transaction::commit() {
    end(&ClientLibrary::Api::commit_transaction);
}

void Transaction::rollback() {
    end(&ClientLibrary::Api::rollback_transaction);
}

void Transaction::commitRetaining() {
    end(&ClientLibrary::Api::commit_retaining);
}

void Transaction::rollbackRetaining() {
    end(&ClientLibrary::Api::rollback_retaining);
}

void Transaction::endQuietly() {
    if (!active() || !connection_)
        return;
    const ClientLibrary::Api& api = connection_->library().api();
    ISC_STATUS_ARRAY status;
    api.commit_transaction(status, &handle_);
    if (failed(status))
        api.rollback_transaction(status, &handle_);
    handle_ = 0;
}

} // namespace akt
