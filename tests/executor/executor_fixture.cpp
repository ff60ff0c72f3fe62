#include "executor_fixture.h"

#include "update/firebird/client_library.h"
#include "update/firebird/parameter_blocks.h"
#include "update/firebird/statement.h"
#include "update/firebird/transaction.h"
#include "update/parser/script_lines.h"

namespace akt::test {

void EventRecord::bind(TScriptExecutor& executor) {
    executor.onStatementDone = [this](StatementKind kind, const QString& text) {
        lines << QString("done %1 %2").arg(statementKindName(kind), text);
    };
    executor.onParseError = [this](const QString& error, const QString& text, int lineIndex) {
        lines << QString("parse %1 | %2 | %3").arg(error, text).arg(lineIndex);
    };
    executor.onExecuteError = [this](const QString& error, const QString& text, int lineIndex, bool& ignore) {
        EXPECT_FALSE(ignore);
        lines << QString("error %1 | %2 | %3").arg(error.section("\r\n", 0, 0), text).arg(lineIndex);
        errorTexts << error;
        ignore = ignoreErrors;
    };
}

void ExecutorTest::SetUp() {
    ASSERT_TRUE(folder.isValid());
    if (!target().server.isEmpty())
        AKT_REQUIRE_TEST_SERVER();
    database.setTarget(Connection::targetFor(target().server, folder.filePath("executor.fdb")));
    database.parameterLines() = creationLines("SYSDBA", kAdminPassword);
    database.createDatabase();
    // What connecting adds, so that the tests can attach again.
    database.parameterLines() << "user_name=SYSDBA"
                              << "password=" + kAdminPassword;
    events.bind(executor);
}

void ExecutorTest::run(const char* script) {
    executor.setScript(ScriptLines::fromBytes(script));
    executor.run();
}

void ExecutorTest::reattach() {
    database.disconnect();
    database.connect();
}

qlonglong ExecutorTest::committedCount(const char* sql) {
    Transaction reader(database, QByteArray());
    Statement statement(reader);
    statement.prepare(sql);
    statement.execute();
    return statement.fetch() ? statement.value(0).toLongLong() : -1;
}

bool ExecutorTest::tableExists(const char* name) {
    const QByteArray sql = "select count(*) from rdb$relations where rdb$relation_name = '" + QByteArray(name) + "'";
    return committedCount(sql.constData()) == 1;
}

} // namespace akt::test
