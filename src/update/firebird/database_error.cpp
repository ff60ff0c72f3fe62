#include "update/firebird/database_error.h"

#include "support/windows1250.h"
#include "update/firebird/client_library.h"

namespace akt {

DatabaseError::DatabaseError(const QString& text) : std::runtime_error(text.toStdString()) {}

DatabaseError DatabaseError::databaseNameMissing() {
    return DatabaseError(QStringLiteral("Database name is missing"));
}

DatabaseError DatabaseError::unknownDpbConstant(const QString& nameAsWritten) {
    return DatabaseError(QStringLiteral("DPB Constant (%1) is unknown").arg(nameAsWritten));
}

DatabaseError DatabaseError::dpbValueTooLong(const QString& nameAsWritten) {
    return DatabaseError(QStringLiteral("Value of DPB Constant (%1) is too long").arg(nameAsWritten));
}

DatabaseError DatabaseError::databaseNotOpen() {
    return DatabaseError(QStringLiteral("Cannot perform operation -- DB is not open"));
}

DatabaseError DatabaseError::databaseAlreadyOpen() {
    return DatabaseError(QStringLiteral("Database is already open"));
}

DatabaseError DatabaseError::transactionActive() {
    return DatabaseError(QStringLiteral("Transaction is active"));
}

DatabaseError DatabaseError::statementNotPrepared() {
    return DatabaseError(QStringLiteral("Statement is not prepared"));
}

DatabaseError DatabaseError::columnOutOfRange(int column) {
    return DatabaseError(QStringLiteral("Column index %1 out of range").arg(column));
}

DatabaseError DatabaseError::columnTypeUnreadable(int column) {
    return DatabaseError(QStringLiteral("Column %1 has a type that cannot be read here").arg(column + 1));
}

QString joinStatusMessages(const std::vector<QByteArray>& messages) {
    QByteArray text;
    for (const QByteArray& message : messages) {
        if (!text.isEmpty() && !text.endsWith('\n'))
            text += "\r\n";
        text += message;
    }
    int begin = 0;
    while (begin < text.size() && (text[begin] == '\r' || text[begin] == '\n'))
        ++begin;
    int end = text.size();
    while (end > begin && (text[end - 1] == '\r' || text[end - 1] == '\n'))
        --end;
    text = text.mid(begin, end - begin);
    if (text.endsWith('.'))
        text.chop(1);
    return fromWindows1250(text);
}

QString statusText(const ClientLibrary& library, const ISC_STATUS* status) {
    std::vector<QByteArray> messages;
    const ISC_STATUS* cursor = status;
    char buffer[1024];
    // fb_interpret moves the cursor past each message it formats and returns 0 after the last.
    while (library.api().interpret(buffer, sizeof buffer, &cursor) > 0)
        messages.emplace_back(buffer);
    return joinStatusMessages(messages);
}

void checkStatus(const ClientLibrary& library, const ISC_STATUS* status) {
    if (failed(status))
        throw DatabaseError(statusText(library, status));
}

void checkStatus(const ClientLibrary& library, const ISC_STATUS* status, FB_API_HANDLE& handle) {
    if (!failed(status))
        return;
    handle = 0;
    throw DatabaseError(statusText(library, status));
}

} // namespace akt
