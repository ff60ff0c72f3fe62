#pragma once

#include <ibase.h>

#include <QByteArray>
#include <QString>

#include <stdexcept>
#include <vector>

namespace akt {

class ClientLibrary;

// The one error the database layer raises: a failure reported by the engine, or one found before the
// engine was called. Callers use only its text.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& text);
    const QString& text() const { return text_; }

    // The fixed texts of failures found before calling the engine.
    static DatabaseError databaseNameMissing();
    static DatabaseError unknownDpbConstant(const QString& nameAsWritten);
    static DatabaseError databaseNotOpen();

private:
    QString text_;
};

// The engine's status messages, one per line in the engine's order: CR LF between lines (none after a line
// that already ends with a line feed), no break at the start or the end, and one final full stop removed.
QString joinStatusMessages(const std::vector<QByteArray>& messages);

// The status vector as the text above, read with fb_interpret.
QString statusText(const ClientLibrary& library, const ISC_STATUS* status);

// Raises a DatabaseError with the status text when the status vector reports an error.
void checkStatus(const ClientLibrary& library, const ISC_STATUS* status);

inline bool failed(const ISC_STATUS* status) {
    return status[0] == 1 && status[1] != 0;
}

} // namespace akt
