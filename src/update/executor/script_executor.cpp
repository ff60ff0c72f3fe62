#include "update/executor/script_executor.h"

#include "support/windows1250.h"
#include "update/firebird/connection.h"
#include "update/firebird/database_error.h"
#include "update/firebird/sql_execution.h"
#include "update/parser/ascii_case.h"

#include <algorithm>
#include <variant>

namespace akt {
namespace {

QByteArray bytesOf(const std::string& text) {
    return QByteArray(text.data(), qsizetype(text.size()));
}

// The statement's own bytes, not copied: a statement can be megabytes long. std::string keeps a NUL
// after them, which the execution calls rely on for statements over 64 KB.
QByteArray sqlOf(const std::string& text) {
    return QByteArray::fromRawData(text.data(), qsizetype(text.size()));
}

QString decoded(const std::string& text) {
    return fromWindows1250(sqlOf(text));
}

// SET <word> <value>: the setting's name and its value.
bool isSetting(const ScriptStatement& statement, std::string_view name) {
    return statement.words.size() >= 3 && equalsIgnoreCase(statement.words[1], name);
}

} // namespace

TScriptExecutor::TScriptExecutor(Connection& database) : database_(database), ddl_(database, QByteArray()) {}

void TScriptExecutor::setScript(ScriptLines lines) {
    parser_.start(std::move(lines));
    batch_.clear();
    stopRequested_ = false;
    failed_ = false;
}

void TScriptExecutor::stop() {
    stopRequested_ = true;
    parser_.stop();
}

void TScriptExecutor::run() {
    for (;;) {
        ParseResult result = parser_.next();
        if (std::holds_alternative<End>(result))
            break;
        // The parser has stopped itself after a parse error; the loop ends at the End that follows. The
        // statements in front of the error run first, and the error is reported only when they all did.
        if (const ParseError* error = std::get_if<ParseError>(&result)) {
            if (runBatch())
                reportParseError(QString::fromStdString(error->errorText), error->text, error->lineIndex);
        } else {
            take(std::move(std::get<ScriptStatement>(result)));
        }
    }
    runBatch();
}

void TScriptExecutor::take(ScriptStatement statement) {
    if (batching_) {
        if (const std::optional<int> contexts = batchContexts(statement)) {
            if (!batch_.fits(statement, *contexts) && !runBatch())
                return;
            if (batch_.fits(statement, *contexts)) {
                batch_.add(std::move(statement), *contexts);
                return;
            }
        }
    }
    if (runBatch())
        perform(statement);
}

// Runs what the batch holds; false when the file must not go on.
bool TScriptExecutor::runBatch() {
    if (batch_.empty() || !goingOn()) {
        batch_.clear();
        return goingOn();
    }
    const bool tried = batch_.statements().size() > 1;
    if (tried && sendBatch()) {
        // Every statement ran; a stop asked for while these are reported comes too late for them.
        for (const ScriptStatement& statement : batch_.statements())
            reportDone(statement);
        batch_.clear();
        return goingOn();
    }
    const int errorsBefore = executeErrors_;
    std::size_t ran = 0;
    for (const ScriptStatement& statement : batch_.statements()) {
        if (!goingOn())
            break;
        perform(statement);
        ++ran;
    }
    if (tried && ran == batch_.statements().size() && executeErrors_ == errorsBefore)
        batch_.shrink();
    batch_.clear();
    return goingOn();
}

bool TScriptExecutor::sendBatch() {
    const QByteArray text = batch_.blockText();
    try {
        executeImmediate(started(database_.defaultTransaction()), text);
    } catch (const DatabaseError&) {
        // The engine has undone the block. Alone, each statement succeeds or fails as it would have
        // without the batch; the error the user sees is then that statement's own.
        ++batchCounts_.undone;
        return false;
    }
    ++batchCounts_.sent;
    batchCounts_.largestBytes = std::max(batchCounts_.largestBytes, std::size_t(text.size()));
    return true;
}

void TScriptExecutor::perform(const ScriptStatement& statement) {
    const StatementRoute route = routeOf(statement);
    if (route == StatementRoute::Skip)
        return;
    if (route == StatementRoute::Refuse) {
        parser_.stop();
        reportParseError(QString::fromLatin1(ParseError::kInvalidStatement), statement.text, statement.lineIndex);
        return;
    }
    try {
        execute(route, statement);
    } catch (const DatabaseError& error) {
        reportExecuteError(errorText(error), statement);
        return;
    }
    reportDone(statement);
}

void TScriptExecutor::reportDone(const ScriptStatement& statement) {
    if (onStatementDone)
        onStatementDone(statement.kind, doneText(statement));
}

void TScriptExecutor::execute(StatementRoute route, const ScriptStatement& statement) {
    switch (route) {
    case StatementRoute::Dml:
        executeDml(statement);
        return;
    case StatementRoute::Ddl:
        executeDdl(statement);
        return;
    case StatementRoute::Savepoint:
        executeInDefault(sqlOf(statement.text));
        return;
    case StatementRoute::Setting:
        applySetting(statement);
        return;
    case StatementRoute::Commit:
    case StatementRoute::CommitRetaining:
        commit(route == StatementRoute::CommitRetaining);
        return;
    case StatementRoute::Rollback:
    case StatementRoute::RollbackRetaining:
        rollback(route == StatementRoute::RollbackRetaining);
        return;
    case StatementRoute::Reconnect:
        database_.reconnect();
        return;
    case StatementRoute::TerminatorChange:
    case StatementRoute::Skip:
    case StatementRoute::Refuse:
        return;
    }
}

// A transaction is started here rather than by the execution calls, which would also attach a closed
// connection: a script run on a closed connection must fail with "DB is not open" instead.
Transaction& TScriptExecutor::started(Transaction& transaction) {
    if (!transaction.active())
        transaction.start();
    return transaction;
}

void TScriptExecutor::executeDml(const ScriptStatement& statement) {
    Transaction& transaction = started(database_.defaultTransaction());
    // Sent as it stands: the server decides what is a parameter marker (a colon in an EXECUTE BLOCK body is a
    // variable), and one that needs values fails with the engine's own error.
    if (returnsRows(statement))
        executeDiscardingRows(transaction, sqlOf(statement.text));
    else
        executeImmediate(transaction, sqlOf(statement.text));
}

void TScriptExecutor::executeInDefault(const QByteArray& sql) {
    executeImmediate(started(database_.defaultTransaction()), sql);
}

void TScriptExecutor::executeDdl(const ScriptStatement& statement) {
    if (!settings_.autoDdl) {
        executeInDefault(sqlOf(statement.text));
        return;
    }
    started(ddl_);
    try {
        executeImmediate(ddl_, sqlOf(statement.text));
        ddl_.commit();
    } catch (const DatabaseError&) {
        try {
            ddl_.rollback();
        } catch (const DatabaseError&) {
            // The statement's own error is the one the script's author needs to see.
        }
        throw;
    }
}

// The default transaction first, then the executor's own; each only when active.
void TScriptExecutor::commit(bool retaining) {
    for (Transaction* transaction : {&database_.defaultTransaction(), &ddl_}) {
        if (retaining)
            transaction->commitRetaining();
        else
            transaction->commit();
    }
}

void TScriptExecutor::rollback(bool retaining) {
    for (Transaction* transaction : {&database_.defaultTransaction(), &ddl_}) {
        if (retaining)
            transaction->rollbackRetaining();
        else
            transaction->rollback();
    }
}

void TScriptExecutor::applySetting(const ScriptStatement& statement) {
    const std::vector<std::string>& words = statement.words;
    if (isSetting(statement, "AUTODDL"))
        settings_.autoDdl = words[2] == "ON";
    else if (isSetting(statement, "STATISTICS"))
        settings_.statistics = words[2] == "ON";
    else if (isSetting(statement, "NAMES"))
        settings_.names = bytesOf(words[2]);
    else if (isSetting(statement, "SQL") && words.size() >= 4)
        changeDialect(words[3]);
}

void TScriptExecutor::changeDialect(const std::string& value) {
    bool whole = false;
    const int dialect = bytesOf(value).toInt(&whole);
    if (!whole) {
        // Whoever catches this may run the executor again; the rest of this file must not run then.
        parser_.stop();
        throw ScriptSettingError(ConversionError::notAnInteger(decoded(value)));
    }
    settings_.sqlDialect = dialect;
    if (dialect == database_.sqlDialect())
        return;
    database_.setSqlDialect(dialect);
    // The dialect is fixed for an attachment's life; attaching again lowers it to the database's when lower.
    if (database_.connected())
        database_.reconnect();
}

QString TScriptExecutor::doneText(const ScriptStatement& statement) const {
    if (statement.kind == StatementKind::stmtTERM)
        return decoded(statement.words[2]);
    if (statement.kind != StatementKind::stmtSET)
        return decoded(statement.text);
    std::string words;
    for (std::size_t i = 1; i < statement.words.size(); ++i)
        words += (i > 1 ? " " : "") + statement.words[i];
    return decoded(words);
}

void TScriptExecutor::reportParseError(const QString& error, const std::string& text, std::size_t lineIndex) {
    if (onParseError)
        onParseError(error, decoded(text), int(lineIndex));
}

void TScriptExecutor::reportExecuteError(const QString& error, const ScriptStatement& statement) {
    ++executeErrors_;
    bool ignore = false;
    if (onExecuteError)
        onExecuteError(error, decoded(statement.text), int(statement.lineIndex), ignore);
    if (!ignore) {
        failed_ = true;
        parser_.stop();
    }
}

} // namespace akt
