#pragma once

#include <ibase.h>

#include <QByteArray>
#include <QString>

#include <stdexcept>
#include <vector>

namespace akt {

class ClientLibrary;

// The one error the database layer raises: a failure reported by the engine, or one found before the
// engine was called. Callers use only its text (errorText in support/error_text.h).
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& text);

    // The fixed texts of failures found before calling the engine.
    static DatabaseError databaseNameMissing();
    static DatabaseError unknownDpbConstant(const QString& nameAsWritten);
    static DatabaseError dpbValueTooLong(const QString& nameAsWritten);
    static DatabaseError databaseNotOpen();
    static DatabaseError databaseAlreadyOpen();
    static DatabaseError transactionActive();
    static DatabaseError statementNotPrepared();
    static DatabaseError columnOutOfRange(int column);
    static DatabaseError columnTypeUnreadable(int column);
};

// The engine's status messages, one per line in the engine's order: CR LF between lines (none after a line
// that already ends with a line feed), no break at the start or the end, and one final full stop removed.
QString joinStatusMessages(const std::vector<QByteArray>& messages);

// The status vector as the text above, read with fb_interpret.
QString statusText(const ClientLibrary& library, const ISC_STATUS* status);

// Raises a DatabaseError with the status text when the status vector reports an error.
void checkStatus(const ClientLibrary& library, const ISC_STATUS* status);

// The same for a call that was to fill in `handle`: on failure the handle is cleared first, since the
// engine may have written to it, and no destructor may hand it back to the engine.
void checkStatus(const ClientLibrary& library, const ISC_STATUS* status, FB_API_HANDLE& handle);

inline bool failed(const ISC_STATUS* status) {
    return status[0] == 1 && status[1] != 0;
}

} // namespace akt
