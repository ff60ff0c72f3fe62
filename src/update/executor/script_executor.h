#pragma once

#include "support/error_text.h"
#include "update/executor/dml_batch.h"
#include "update/executor/statement_route.h"
#include "update/firebird/transaction.h"
#include "update/parser/parse_result.h"
#include "update/parser/script_lines.h"
#include "update/parser/script_parser.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <stdexcept>
#include <string>

namespace akt {

class Connection;

// Raised out of run() for a failure that does not come from the database: a SET SQL DIALECT whose value is not
// a whole number. Database failures never leave run(); they become execution-error events.
class ScriptSettingError : public ConversionError {
public:
    explicit ScriptSettingError(const ConversionError& error) : ConversionError(error) {}
};

// What the script's SET statements have chosen so far; kept from one file to the next.
struct ScriptSettings {
    bool autoDdl = true;     // DDL runs in the executor's own transaction, committed after every statement
    int sqlDialect = 3;      // the last SET SQL DIALECT
    bool statistics = false; // SET STATISTICS; nothing reads it
    QByteArray names;        // the last SET NAMES value, as written (only a CONNECT would use it)
};

// The window's script executor (skrypt). It reads the statements of one script file at a time from its
// parser and runs each against the window's connection: DML, savepoints and (with automatic DDL commit off)
// DDL in the connection's default transaction, which only COMMIT and ROLLBACK statements end; DDL otherwise in
// a transaction of its own that is committed as soon as the statement succeeded. The settings and the
// parser's terminator carry over from file to file.
//
// Texts given to the events are QStrings decoded from Windows-1250, the code page of the script files; the
// statements themselves go to the server as the file's bytes. Every event is delivered on the calling thread
// from inside run().
class TScriptExecutor {
public:
    // A statement ran without error. The text is the statement's, except for a setting (the words after SET,
    // joined by single blanks) and a terminator change (the new terminator).
    using StatementDoneEvent = std::function<void(StatementKind kind, const QString& text)>;
    // The statement cannot be read or is not allowed in a script; the rest of the file is not run.
    using ParseErrorEvent = std::function<void(const QString& error, const QString& text, int lineIndex)>;
    // The database failed the statement (error is the database error text). `ignore` is false on entry; left
    // false, the rest of the file is not run, set to true, the next statement runs.
    using ExecuteErrorEvent =
        std::function<void(const QString& error, const QString& text, int lineIndex, bool& ignore)>;

    // Bound to the connection and its default transaction for its whole life. The connection must outlive
    // the executor's use of it.
    explicit TScriptExecutor(Connection& database);
    TScriptExecutor(const TScriptExecutor&) = delete;
    TScriptExecutor& operator=(const TScriptExecutor&) = delete;

    // The lines of the next file (see loadScriptFile); reading starts at its first line.
    void setScript(ScriptLines lines);

    // Runs the file's statements until its end, a parse error, or an execution error that is not ignored.
    // Commits and rolls back nothing at the end. Of its own it raises only ScriptSettingError; what a handler
    // throws passes through.
    //
    // Consecutive plain DML statements (see batchContexts) go to the server together, as one EXECUTE BLOCK,
    // and their statement-done events follow, one per statement, once the block has run. When the block
    // fails, the engine has undone all of it, and its statements run again one by one, up to and including
    // the one that fails: the events are then exactly those of a run without batches.
    void run();

    // No further statement of the current file runs; run() returns after the statement or batch in progress.
    void stop();

    // Batches are on unless switched off (the tests compare runs with and without them).
    void setBatching(bool on) { batching_ = on; }
    struct BatchCounts {
        int sent = 0;                 // blocks the engine ran
        int undone = 0;               // blocks the engine refused, whose statements then ran one by one
        std::size_t largestBytes = 0; // the longest block text sent
    };
    const BatchCounts& batchCounts() const { return batchCounts_; }

    StatementDoneEvent onStatementDone;
    ParseErrorEvent onParseError;
    ExecuteErrorEvent onExecuteError;

    const ScriptSettings& settings() const { return settings_; }
    const std::string& terminator() const { return parser_.terminator(); }
    // The executor's own transaction for DDL under automatic DDL commit.
    const Transaction& ddlTransaction() const { return ddl_; }

private:
    void take(ScriptStatement statement);
    bool runBatch();
    bool sendBatch();
    bool goingOn() const { return !stopRequested_ && !failed_; }
    void perform(const ScriptStatement& statement);
    void reportDone(const ScriptStatement& statement);
    void execute(StatementRoute route, const ScriptStatement& statement);
    void executeDml(const ScriptStatement& statement);
    void executeDdl(const ScriptStatement& statement);
    void executeInDefault(const QByteArray& sql);
    void applySetting(const ScriptStatement& statement);
    void changeDialect(const std::string& value);
    void commit(bool retaining);
    void rollback(bool retaining);
    Transaction& started(Transaction& transaction);
    QString doneText(const ScriptStatement& statement) const;

    void reportParseError(const QString& error, const std::string& text, std::size_t lineIndex);
    void reportExecuteError(const QString& error, const ScriptStatement& statement);

    Connection& database_;
    Transaction ddl_;
    ScriptParser parser_;
    ScriptSettings settings_;
    DmlBatch batch_;
    bool batching_ = true;
    BatchCounts batchCounts_;
    bool stopRequested_ = false; // stop() was called for this file
    bool failed_ = false;        // a statement of this file failed and the failure was not ignored
    int executeErrors_ = 0;      // failed statements, ignored or not
};

} // namespace akt
