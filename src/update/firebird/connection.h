#pragma once

#include <ibase.h>

#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <vector>

namespace akt {

class ClientLibrary;
class Statement;
class Transaction;

// One attachment to a Firebird database (the window's IBDatabase) with its default transaction
// (tranzakcja), the target it is opened on, the parameter lines it attaches with and the SQL dialect its
// statements use. Transactions and statements made on it register themselves, so that disconnecting can
// release them before the attachment goes; they must not outlive the connection's use.
class Connection {
public:
    explicit Connection(const ClientLibrary& library);
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    // Disconnects; an error at this point has nobody left to report to and is dropped.
    ~Connection();

    const ClientLibrary& library() const { return library_; }

    // What the client library opens: "host:path" for a server, a path alone for a local (embedded) file.
    static QString targetFor(const QString& server, const QString& path);
    void setTarget(const QString& target) { target_ = target; }
    const QString& target() const { return target_; }

    // "name=value" lines turned into the attachment block on every attach; lines without "=" are ignored.
    // Starts with one empty line and keeps whatever is added for the life of the connection.
    QStringList& parameterLines() { return parameterLines_; }
    const QStringList& parameterLines() const { return parameterLines_; }

    // The dialect statements are prepared and executed in. Attaching lowers it to the database's dialect
    // when that is lower.
    int sqlDialect() const { return sqlDialect_; }
    void setSqlDialect(int dialect) { sqlDialect_ = dialect; }
    // The database's own dialect, read when attaching; 0 while not attached.
    int databaseDialect() const { return databaseDialect_; }

    bool connected() const { return handle_ != 0; }

    // Attaches to the target with the parameter lines. Does nothing when already attached.
    void connect();
    // Creates the database at the target with the parameter lines as its CREATE DATABASE clauses, in
    // dialect 3 and outside any transaction, and stays attached to it.
    void createDatabase();
    // Releases every open statement, ends every active transaction (commit, or rollback when the commit
    // fails, neither reported), then detaches. When detaching fails the attachment is dropped anyway and the
    // error raised. Does nothing when not attached.
    void disconnect();
    // Detaches and attaches again with the current target and parameter lines.
    void reconnect();

    // Asks the engine to stop the call running on this attachment, which then fails with the engine's
    // "operation was cancelled". The one member that may be called from another thread while this
    // connection's own thread waits in the client library; does nothing when not attached.
    void cancelRunningCall() const noexcept;

    Transaction& defaultTransaction() { return *defaultTransaction_; }

    isc_db_handle* handle() { return &handle_; }

private:
    friend class Transaction;
    friend class Statement;
    void add(Transaction* transaction) { transactions_.push_back(transaction); }
    void remove(Transaction* transaction);
    void add(Statement* statement) { statements_.push_back(statement); }
    void remove(Statement* statement);

    void readDatabaseDialect();
    void detach();

    const ClientLibrary& library_;
    isc_db_handle handle_ = 0;
    // handle_ as another thread may read it, see cancelRunningCall.
    std::atomic<isc_db_handle> sharedHandle_{0};
    QString target_;
    QStringList parameterLines_{QString()};
    int sqlDialect_ = 3;
    int databaseDialect_ = 0;
    std::vector<Transaction*> transactions_;
    std::vector<Statement*> statements_;
    std::unique_ptr<Transaction> defaultTransaction_;
};

} // namespace akt
