#include "update/database/database_session.h"

#include "support/error_text.h"
#include "support/windows1250.h"
#include "update/database/single_integer_query.h"
#include "update/firebird/connection.h"
#include "update/firebird/database_error.h"
#include "update/firebird/parameter_blocks.h"

namespace akt {

const QByteArray kVersionQuery = "select first 1 coalesce(dbver,0) as wersja from t_program";

namespace {

QString lengthProblem(const QString& value, const QString& what) {
    const qsizetype bytes = toWindows1250(value).size();
    if (bytes <= kLongestParameterValue)
        return {};
    return QStringLiteral("%1 ma %2 bajtów, a może mieć najwyżej %3.").arg(what).arg(bytes).arg(kLongestParameterValue);
}

// Shows and logs a refusal found before the database was touched.
bool refuse(UserInterface& ui, const QString& text) {
    ui.plainMessage(text);
    ui.appendLog(text);
    return false;
}

} // namespace

QString credentialsProblem(const QString& user, const QString& password) {
    const QString userProblem = lengthProblem(user, QStringLiteral("Nazwa użytkownika"));
    return userProblem.isEmpty() ? lengthProblem(password, QStringLiteral("Hasło")) : userProblem;
}

bool ConnectDatabase(Connection& IBDatabase, UserInterface& ui, const QString& server, const QString& path,
                     const QString& user, const QString& password) {
    DisconnectDatabase(IBDatabase);
    if (const QString problem = credentialsProblem(user, password); !problem.isEmpty())
        return refuse(ui, problem + QStringLiteral(" Nie nawiązano połączenia z bazą danych."));
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
        ui.appendLog(errorText(error));
        return false;
    }
}

bool DataBaseCreate(Connection& IBDatabase, UserInterface& ui, const QString& target, const QString& user,
                    const QString& password) {
    DisconnectDatabase(IBDatabase);
    // The new database would be made and then refuse every connection with these values.
    if (const QString problem = credentialsProblem(user, password); !problem.isEmpty())
        return refuse(ui, problem + QStringLiteral(" Baza danych nie została utworzona."));
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
        ui.appendLog(errorText(error));
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
