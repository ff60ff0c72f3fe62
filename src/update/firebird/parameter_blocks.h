#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace akt {

// The longest value an attachment parameter can carry behind its one length byte.
constexpr qsizetype kLongestParameterValue = 255;

// The attachment parameter block built from the connection's parameter lines ("name=value"): version 1,
// then user name (28) and password (29) entries as code, length byte and value. Lines without "=" are
// skipped; a name is matched lower-cased and without a leading "isc_dpb_". Raises DatabaseError for a
// name that is not an attachment parameter, or for a value longer than the block's length byte can say.
QByteArray attachmentParameters(const QStringList& lines);

// The block of the default transaction: version 3, read committed, record version, no wait.
QByteArray defaultTransactionParameters();

// The parameter lines of a new database. Quotes inside user and password are doubled so that the values
// stay string literals of the creation statement whatever they contain.
QStringList creationLines(const QString& user, const QString& password);

// "CREATE DATABASE '<target>' " followed by every line and CR LF. Quotes inside the target are doubled for
// the same reason as above. The target is in the file system's encoding, the lines in the database's.
QByteArray creationStatement(const QString& target, const QStringList& lines);

// The SQL string literal body of a value: every single quote doubled.
QString quotedLiteralBody(const QString& value);

} // namespace akt
