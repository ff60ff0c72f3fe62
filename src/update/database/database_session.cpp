#include "update/database/database_session.h"

#include "support/single_integer_query.h"
#include "update/firebird/connection.h"
#include "update/firebird/database_error.h"
#include "update/firebird/parameter_blocks.h"

namespace akt {

const QByteArray kVersionQuery = "select first 1 coalesce(dbver,0) as wersja from t_program";

bool ConnectDatabase(Connection& IBDatabase, UserInterface& ui, const QString& server, const QString& path,
                     const QString& user, const QString& password) {
    DisconnectDatabase(IBDatabase);
    try {
        ui.appendLog(QStringLiteral("Podłączanie do bazy: ") + server + QLatin1Char(':') + path);
        IBDatabase.setTarget(Connection::targetFor(server, path));
        IBDatabase.parameterLines() << QStringLiteral("user_name=") + user << QStringLiteral("password=") + password;
        IBDatabase.connect();
        ui.appendLog(QStringLiteral("Połączono z bazą"));
        return true;
    } catch (const DatabaseError& error) {
        ui.plainMessage(QStringLiteral(
            "Nie można nawiązać połączenia z serwerem bazy danych!. Skontaktuj się z dostawcą oprogramowania."));
        ui.appendLog(error.text());
        return false;
    }
}

bool DataBaseCreate(Connection& IBDatabase, UserInterface& ui, const QString& target, const QString& user,
                    const QString& password) {
    DisconnectDatabase(IBDatabase);
    IBDatabase.setTarget(target);
    IBDatabase.parameterLines() = creationLines(user, password);
    IBDatabase.setSqlDialect(3);
    try {
        IBDatabase.createDatabase();
        // The four lines were the clauses of CREATE DATABASE, not attachment parameters: left in the
        // list, a user name or password holding "=" would read as an unknown parameter and make every
        // later connect to the new database fail.
        IBDatabase.parameterLines() = QStringList{QString()};
        return true;
    } catch (const DatabaseError& error) {
        ui.plainMessage(QStringLiteral("Nie utworzono bazy danych. Skontaktuj się z dostawcą oprogramowania."));
        ui.appendLog(error.text());
        return false;
    }
}

int GetDBVersion(Connection& IBDatabase, UserInterface& ui) {
    return ExecuteIBQwithINT(ui, IBDatabase, kVersionQuery);
}

void DisconnectDatabase(Connection& IBDatabase) {
    IBDatabase.disconnect();
}

} // namespace akt
