#pragma once

#include <QByteArray>
#include <QString>

namespace akt {

// Texts exchanged with the database (user names, passwords, messages of the engine) are Windows-1250,
// the code page of the scripts and of the databases this program maintains.
QByteArray toDatabaseText(const QString& text);
QString fromDatabaseText(const QByteArray& bytes);

// The length argument of the legacy statement calls is 16 bits wide; 0 makes them measure the text up to its
// terminating NUL (which a QByteArray always has), so longer statements still arrive whole.
inline unsigned short statementTextLength(const QByteArray& sql) {
    return sql.size() > 0xFFFF ? 0 : static_cast<unsigned short>(sql.size());
}

} // namespace akt
