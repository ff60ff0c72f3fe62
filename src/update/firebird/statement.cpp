#include "update/firebird/statement.h"

#include "update/firebird/client_library.h"
#include "update/firebird/connection.h"
#include "update/firebird/database_error.h"
#include "update/firebird/statement_text.h"
#include "update/firebird/transaction.h"

#include <cmath>
#include <cstring>

namespace akt {

namespace {

XSQLDA* newDescriptor(int count) {
    const int n = count < 1 ? 1 : count;
    auto* descriptor = static_cast<XSQLDA*>(std::calloc(1, XSQLDA_LENGTH(n)));
    if (!descriptor)
        throw std::bad_alloc();
    descriptor->version = SQLDA_VERSION1;
    descriptor->sqln = short(n);
    return descriptor;
}

double scaled(qlonglong value, int scale) {
    return double(value) * std::pow(10.0, scale);
}

} // namespace

Statement::Statement(Transaction& transaction) : connection_(&transaction.connection()), transaction_(transaction) {
    connection_->add(this);
}

Statement::~Statement() {
    if (!connection_)
        return;
    release();
    connection_->remove(this);
}

Connection& Statement::connection() {
    if (!connection_)
        throw DatabaseError::databaseNotOpen();
    return *connection_;
}

void Statement::allocate() {
    if (handle_ != 0)
        return;
    ISC_STATUS_ARRAY status;
    connection().library().api().dsql_allocate_statement(status, connection().handle(), &handle_);
    checkStatus(connection().library(), status, handle_);
}

void Statement::prepare(const QByteArray& sql) {
    transaction_.ensureStarted();
    allocate();
    close();
    prepared_ = false;
    const ClientLibrary& library = connection().library();
    columns_.reset(newDescriptor(1));
    ISC_STATUS_ARRAY status;
    library.api().dsql_prepare(status, transaction_.handle(), &handle_, statementTextLength(sql), sql.constData(),
                               static_cast<unsigned short>(connection().sqlDialect()), columns_.get());
    checkStatus(library, status);
    readStatementType();
    describeColumns();

    Descriptor parameters(newDescriptor(1));
    library.api().dsql_describe_bind(status, &handle_, SQLDA_VERSION1, parameters.get());
    checkStatus(library, status);
    parameterCount_ = parameters->sqld;
    prepared_ = true;
}

void Statement::readStatementType() {
    const char items[] = {isc_info_sql_stmt_type};
    char answer[16] = {};
    ISC_STATUS_ARRAY status;
    const ClientLibrary& library = connection().library();
    library.api().dsql_sql_info(status, &handle_, short(sizeof items), items, short(sizeof answer), answer);
    checkStatus(library, status);
    statementType_ = 0;
    if (answer[0] == isc_info_sql_stmt_type) {
        const short length = short(library.api().vax_integer(answer + 1, 2));
        statementType_ = int(library.api().vax_integer(answer + 3, length));
    }
}

void Statement::describeColumns() {
    const ClientLibrary& library = connection().library();
    if (columns_->sqld > columns_->sqln) {
        columns_.reset(newDescriptor(columns_->sqld));
        ISC_STATUS_ARRAY status;
        library.api().dsql_describe(status, &handle_, SQLDA_VERSION1, columns_.get());
        checkStatus(library, status);
    }
    const int count = columns_->sqld;
    buffers_.assign(count, {});
    nullFlags_.assign(count, 0);
    for (int i = 0; i < count; ++i) {
        XSQLVAR& column = columns_->sqlvar[i];
        // A varying text carries its 2-byte length in front of the characters.
        const std::size_t bytes = std::size_t(column.sqllen) + 2;
        buffers_[i].assign((bytes + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t), 0);
        column.sqldata = reinterpret_cast<ISC_SCHAR*>(buffers_[i].data());
        column.sqlind = &nullFlags_[i];
        column.sqltype = short(column.sqltype | 1); // always ask for the null flag
    }
}

int Statement::columnCount() const {
    return columns_ ? columns_->sqld : 0;
}

bool Statement::returnsRows() const {
    return statementType_ == isc_info_sql_stmt_select || statementType_ == isc_info_sql_stmt_select_for_upd;
}

void Statement::execute() {
    if (!prepared())
        throw DatabaseError::statementNotPrepared();
    close();
    transaction_.ensureStarted();
    ISC_STATUS_ARRAY status;
    const ClientLibrary::Api& api = connection().library().api();
    if (statementType_ == isc_info_sql_stmt_exec_procedure && columnCount() > 0) {
        api.dsql_execute2(status, transaction_.handle(), &handle_, SQLDA_VERSION1, nullptr, columns_.get());
        checkStatus(connection().library(), status);
        singletonPending_ = true;
        return;
    }
    api.dsql_execute(status, transaction_.handle(), &handle_, SQLDA_VERSION1, nullptr);
    checkStatus(connection().library(), status);
    cursorOpen_ = returnsRows();
}

bool Statement::fetch() {
    if (singletonPending_) {
        singletonPending_ = false;
        return true;
    }
    if (!cursorOpen_)
        return false;
    ISC_STATUS_ARRAY status;
    const ISC_STATUS result = connection().library().api().dsql_fetch(status, &handle_, SQLDA_VERSION1, columns_.get());
    if (result == 100) {
        close();
        return false;
    }
    checkStatus(connection().library(), status);
    return true;
}

QVariant Statement::value(int column) const {
    if (!columns_ || column < 0 || column >= columns_->sqld)
        throw DatabaseError::columnOutOfRange(column);
    const XSQLVAR& var = columns_->sqlvar[column];
    if (nullFlags_[column] < 0)
        return QVariant();
    const char* data = var.sqldata;
    const auto read = [data](auto sample) {
        std::memcpy(&sample, data, sizeof sample);
        return sample;
    };
    switch (var.sqltype & ~1) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: {
        const qlonglong whole = (var.sqltype & ~1) == SQL_SHORT  ? read(short())
                                : (var.sqltype & ~1) == SQL_LONG ? qlonglong(read(ISC_LONG()))
                                                                 : qlonglong(read(ISC_INT64()));
        return var.sqlscale == 0 ? QVariant(whole) : QVariant(scaled(whole, var.sqlscale));
    }
    case SQL_FLOAT:
        return QVariant(double(read(float())));
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return QVariant(read(double()));
    case SQL_BOOLEAN:
        return QVariant(read(FB_BOOLEAN()) != 0);
    case SQL_TEXT:
        return QVariant(QByteArray(data, var.sqllen));
    case SQL_VARYING:
        return QVariant(QByteArray(data + 2, read(short())));
    default:
        throw DatabaseError::columnTypeUnreadable(column);
    }
}

void Statement::close() {
    singletonPending_ = false;
    if (!cursorOpen_ || !connection_)
        return;
    cursorOpen_ = false;
    ISC_STATUS_ARRAY status;
    // Committing the transaction closes the cursor on the server already; that error is of no interest.
    connection_->library().api().dsql_free_statement(status, &handle_, DSQL_close);
}

void Statement::release() {
    cursorOpen_ = false;
    singletonPending_ = false;
    prepared_ = false;
    if (handle_ == 0 || !connection_)
        return;
    ISC_STATUS_ARRAY status;
    connection_->library().api().dsql_free_statement(status, &handle_, DSQL_drop);
    handle_ = 0;
}

} // namespace akt
