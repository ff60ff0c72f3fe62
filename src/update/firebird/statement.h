#pragma once

#include <ibase.h>

#include <QByteArray>
#include <QVariant>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace akt {

class Connection;
class Transaction;

// One dynamic SQL statement run in a given transaction. Preparing starts the transaction (and attaches
// its connection) when needed, as a query does. The statement handle is freed on destruction and when the
// connection disconnects, whichever comes first.
class Statement {
public:
    explicit Statement(Transaction& transaction);
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    // Prepares the text (raw bytes, sent as they are) in the connection's dialect and describes its
    // columns and parameter markers.
    void prepare(const QByteArray& sql);
    bool prepared() const { return handle_ != 0 && prepared_; }

    // Parameter markers of the prepared statement. Values are never bound: executing a statement that
    // has any fails with the engine's own error.
    int parameterCount() const { return parameterCount_; }
    int columnCount() const;
    // A statement that returns rows through a cursor (SELECT, SELECT ... FOR UPDATE).
    bool returnsRows() const;

    // Executes the prepared statement; for one that returns rows this opens the cursor, for one that returns
    // a single row (EXECUTE PROCEDURE, INSERT ... RETURNING) it reads that row.
    void execute();
    // Moves to the next row of the open cursor, or to the single row; false at the end, where the cursor
    // is closed.
    bool fetch();
    // The value of a column of the current row: null, a whole number (qlonglong), a number with a scale or
    // a floating value (double), a truth value (bool) or text (QByteArray, the raw bytes). Raises
    // DatabaseError for a column of another kind (dates, blobs, arrays).
    QVariant value(int column) const;

    // Closes the cursor when open.
    void close();
    // Frees the statement handle; errors are dropped because there is nothing left to use it for.
    void release();

private:
    friend class Connection;
    void forgetConnection() { connection_ = nullptr; }
    void allocate();
    void describeColumns();
    void readStatementType();
    Connection& connection();

    struct FreeDeleter {
        void operator()(void* memory) const { std::free(memory); }
    };
    using Descriptor = std::unique_ptr<XSQLDA, FreeDeleter>;

    Connection* connection_;
    Transaction& transaction_;
    isc_stmt_handle handle_ = 0;
    bool prepared_ = false;
    bool cursorOpen_ = false;
    bool singletonPending_ = false;
    int statementType_ = 0;
    int parameterCount_ = 0;
    Descriptor columns_;
    // Column buffers as 64-bit words so that every value the client library writes is aligned.
    std::vector<std::vector<std::uint64_t>> buffers_;
    std::vector<short> nullFlags_;
};

} // namespace akt
