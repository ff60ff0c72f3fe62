#pragma once

#include "support/user_interface.h"

#include <QByteArray>
#include <QString>

namespace akt {

class Connection;

// The query that reads the schema version of a database.
extern const QByteArray kVersionQuery;

// Why the user name or password cannot reach the engine (longer than the attachment's 255 bytes), or an
// empty text when both can.
QString credentialsProblem(const QString& user, const QString& password);

// Disconnects, then connects to server:path as user with password, appending the user and password lines
// to the connection's parameter lines. Logs the attempt and the success; on failure shows the plain
// message, logs the error text and returns false. A user name or password the engine cannot take is refused
// with its own message before anything is tried. An error of the first disconnect reaches the caller.
bool ConnectDatabase(Connection& IBDatabase, UserInterface& ui, const QString& server, const QString& path,
                     const QString& user, const QString& password);

// Disconnects, then creates the database at target (see Connection::targetFor) with page size 4096, default
// character set WIN1250 and dialect 3, leaving it attached; the parameter lines are back to one empty line
// afterwards. On failure shows the plain message, logs the error text and returns false; a user name or
// password the engine cannot take is refused first, with its own message, and nothing is created.
bool DataBaseCreate(Connection& IBDatabase, UserInterface& ui, const QString& target, const QString& user,
                    const QString& password);

// The schema version from t_program: 0 without a row or for a null version, -1 when it cannot be read.
int GetDBVersion(Connection& IBDatabase, UserInterface& ui);

// Closes the connection when open, committing the default transaction; errors reach the caller.
void DisconnectDatabase(Connection& IBDatabase);

} // namespace akt
