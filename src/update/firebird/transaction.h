#pragma once

#include "update/firebird/client_library.h"

#include <ibase.h>

#include <QByteArray>

namespace akt {

class Connection;

// A transaction on one connection, started from a transaction parameter block (an empty block leaves the
// engine's defaults). Rolled back when destroyed while active; the connection ends it with a commit when
// it disconnects first.
class Transaction {
public:
    Transaction(Connection& connection, const QByteArray& parameters);
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction();

    bool active() const { return handle_ != 0; }

    // Starts on the attached connection; "Cannot perform operation -- DB is not open" when it is not.
    void start();
    // What a query does before it runs: attach the connection when needed, start when not active.
    void ensureStarted();

    // Each ends (or, retaining, keeps) the transaction when active and does nothing otherwise.
    void commit();
    void rollback();
    void commitRetaining();
    void rollbackRetaining();

    isc_tr_handle* handle() { return &handle_; }
    Connection& connection();

private:
    friend class Connection;
    // Commit, falling back to rollback, reporting neither; the handle is gone afterwards in every case.
    void endQuietly();
    // Calls one of the client library's commit or rollback functions when the transaction is active.
    void end(decltype(ClientLibrary::Api::commit_transaction) ClientLibrary::Api::*function);
    void forgetConnection() { connection_ = nullptr; }

    Connection* connection_;
    QByteArray parameters_;
    isc_tr_handle handle_ = 0;
};

} // namespace akt
