#pragma once

#include "support/error_text.h"
#include "tests/common/firebird_test_support.h"
#include "tests/common/qstring_printer.h"
#include "update/executor/script_executor.h"
#include "update/firebird/connection.h"
#include "update/firebird/database_error.h"
#include "update/firebird/parameter_blocks.h"
#include "update/firebird/statement.h"
#include "update/firebird/transaction.h"
#include "update/parser/script_lines.h"

#include <QStringList>

namespace akt::test {

// One database per side, the same script on both, batches on one side only.
class Side {
public:
    Side(const QString& path, bool batching) {
        database.setTarget(path);
        database.parameterLines() = creationLines("SYSDBA", kAdminPassword);
        database.createDatabase();
        database.parameterLines() << "user_name=SYSDBA"
                                  << "password=" + kAdminPassword;
        executor.setBatching(batching);
        executor.onStatementDone = [this](StatementKind kind, const QString& text) {
            events << QString("done %1 %2").arg(statementKindName(kind), text);
        };
        executor.onParseError = [this](const QString& error, const QString& text, int line) {
            events << QString("parse %1 | %2 | %3").arg(error, text).arg(line);
        };
        executor.onExecuteError = [this](const QString& error, const QString& text, int line, bool& ignore) {
            events << QString("error %1 | %2 | %3").arg(error, text).arg(line);
            ignore = ignoreErrors;
        };
    }

    void run(const QByteArray& script) {
        executor.setScript(ScriptLines::fromBytes(script.toStdString()));
        executor.run();
    }

    // So that another process (isql) can open the file.
    void commitAndDisconnect() {
        try {
            database.defaultTransaction().commit();
        } catch (const DatabaseError&) {
            // What could not be committed is not there for isql either; the comparison shows it.
        }
        database.disconnect();
    }

    // Every user table's rows (sorted) and every generator's value, read in the default transaction, so
    // that what the scripts left uncommitted counts too.
    QStringList contents() {
        // Metadata a script left uncommitted (AUTODDL OFF) cannot be read from until it is committed.
        QStringList lines;
        try {
            database.defaultTransaction().commit();
        } catch (const DatabaseError& error) {
            lines << "commit failed: " + errorText(error);
        }
        for (const QString& table : column("select trim(rdb$relation_name) from rdb$relations "
                                           "where rdb$system_flag = 0 and rdb$view_blr is null order by 1")) {
            QStringList rows = column(("select * from " + table).toUtf8());
            rows.sort();
            lines << table + ": " + rows.join(" / ");
        }
        for (const QString& generator : column("select trim(rdb$generator_name) from rdb$generators "
                                               "where rdb$system_flag = 0 order by 1"))
            lines << generator + " = " + column(("select gen_id(" + generator + ", 0) from rdb$database").toUtf8())[0];
        return lines;
    }

    Connection database{testClientLibrary()};
    TScriptExecutor executor{database};
    QStringList events;
    bool ignoreErrors = false;

private:
    QStringList column(const QByteArray& sql) {
        Statement statement(database.defaultTransaction());
        statement.prepare(sql);
        statement.execute();
        QStringList values;
        while (statement.fetch()) {
            QStringList row;
            for (int i = 0; i < statement.columnCount(); ++i)
                row << statement.value(i).toString();
            values << row.join(",");
        }
        return values;
    }
};

} // namespace akt::test
