// The executor against the real engine: a fresh database per test, scripts given as the bytes of their files.
#include "executor_fixture.h"

#include "update/firebird/database_error.h"
#include "update/firebird/transaction.h"

namespace akt::test {
namespace {

const char* const kTable = "create table t (id integer not null primary key);\n";

// Run on both the embedded engine and the server: the commit rules are the heart of the executor.
class OnBothTargets : public ExecutorTest, public testing::WithParamInterface<Target> {
protected:
    Target target() const override { return GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(Targets, OnBothTargets, testing::Values(kEmbedded, kServer), CaseName{});

TEST_P(OnBothTargets, FailingInsertStopsTheFileAndTheFinalDisconnectCommitsTheEarlierRows) {
    run("create table t (id integer not null primary key);\n"
        "insert into t values (1);\n"
        "insert into t values (2);\n"
        "insert into t values (1);\n"
        "insert into t values (3);\n");

    ASSERT_EQ(events.lines.size(), 4);
    EXPECT_EQ(events.lines[1], "done stmtDML insert into t values (1)");
    EXPECT_EQ(events.lines[2], "done stmtDML insert into t values (2)");
    EXPECT_EQ(events.lines[3], "error violation of PRIMARY or UNIQUE KEY constraint \"INTEG_2\" on table \"T\" | "
                               "insert into t values (1) | 4");
    EXPECT_TRUE(database.defaultTransaction().active());
    EXPECT_EQ(committedCount("select count(*) from t"), 0);

    reattach();
    EXPECT_EQ(committedCount("select count(*) from t"), 2);
    EXPECT_EQ(committedCount("select sum(id) from t"), 3);
}

TEST_F(ExecutorTest, FailingCreateTableUnderAutoDdlIsRolledBackAndStopsTheFile) {
    run("create table a (id integer);\n"
        "create table b (id integer, id integer);\n"
        "create table c (id integer);\n");

    ASSERT_EQ(events.lines.size(), 2);
    EXPECT_EQ(events.lines[0], "done stmtDDL create table a (id integer)");
    EXPECT_TRUE(events.lines[1].startsWith("error unsuccessful metadata update | create table b"));
    EXPECT_TRUE(events.lines[1].endsWith("| 2"));
    EXPECT_FALSE(executor.ddlTransaction().active());
    EXPECT_FALSE(database.defaultTransaction().active());
    EXPECT_TRUE(tableExists("A"));
    EXPECT_FALSE(tableExists("B"));
    EXPECT_FALSE(tableExists("C"));
}

TEST_F(ExecutorTest, AutoDdlOffCarriesIntoTheNextFileWhereRollbackUndoesTheDdl) {
    run("set autoddl off;");
    run("create table x (id integer);");
    EXPECT_FALSE(executor.settings().autoDdl);
    EXPECT_TRUE(database.defaultTransaction().active());
    EXPECT_FALSE(executor.ddlTransaction().active());
    EXPECT_FALSE(tableExists("X"));

    run("rollback;\nset autoddl on;\ncreate table y (id integer);");
    EXPECT_FALSE(tableExists("X"));
    EXPECT_TRUE(tableExists("Y"));
    EXPECT_EQ(events.lines, QStringList({"done stmtSET autoddl OFF", "done stmtDDL create table x (id integer)",
                                         "done stmtROLLBACK rollback", "done stmtSET autoddl ON",
                                         "done stmtDDL create table y (id integer)"}));
}

TEST_F(ExecutorTest, SetTermCarriesAProcedureAndATrigger) {
    run("SET TERM ^ ;\n"
        "CREATE TABLE t (id INTEGER, n INTEGER)^\n"
        "CREATE PROCEDURE twice (a INTEGER) RETURNS (b INTEGER) AS\n"
        "BEGIN\n  b = a * 2;\n  SUSPEND;\nEND^\n"
        "CREATE TRIGGER t_bi FOR t BEFORE INSERT AS\n"
        "BEGIN\n  NEW.n = NEW.id + 1;\nEND^\n"
        "SET TERM ; ^\n");
    // The terminator stays ";" for the next file.
    run("INSERT INTO t (id) SELECT b FROM twice(4);\nCOMMIT;");

    ASSERT_EQ(events.lines.size(), 7);
    EXPECT_EQ(events.lines[0], "done stmtTERM ^");
    EXPECT_TRUE(events.lines[2].startsWith("done stmtDDL CREATE PROCEDURE twice"));
    EXPECT_TRUE(events.lines[3].endsWith("NEW.n = NEW.id + 1;\r\nEND"));
    EXPECT_EQ(events.lines[4], "done stmtTERM ;");
    EXPECT_EQ(committedCount("select n from t where id = 8"), 9);
}

TEST_F(ExecutorTest, StatementsThatNeedNoDatabaseSucceedOnAClosedConnection) {
    database.disconnect();
    run("set term ^ ;\n"
        "set autoddl off^\n"
        "commit^\n"
        "rollback retaining^\n"
        "insert into t values (1)^\n"
        "commit^\n");

    EXPECT_EQ(events.lines, QStringList({"done stmtTERM ^", "done stmtSET autoddl OFF", "done stmtCOMMIT commit",
                                         "done stmtROLLBACKRetaining rollback retaining",
                                         "error Cannot perform operation -- DB is not open | "
                                         "insert into t values (1) | 5"}));
    EXPECT_FALSE(database.connected());
}

TEST_F(ExecutorTest, DdlOnAClosedConnectionReportsTheDatabaseIsNotOpen) {
    database.disconnect();
    run("create table t (id integer);");
    EXPECT_EQ(events.errorTexts, QStringList({"Cannot perform operation -- DB is not open"}));
}

TEST_F(ExecutorTest, CommitWithNothingActiveSucceeds) {
    run("commit;\ncommit retaining;");
    EXPECT_EQ(events.lines, QStringList({"done stmtCOMMIT commit", "done stmtCOMMITRetaining commit retaining"}));
}

TEST_F(ExecutorTest, CommitEndsTheDefaultTransactionAndRetainingKeepsItActive) {
    run(kTable);
    run("insert into t values (1);\ncommit retaining;");
    EXPECT_TRUE(database.defaultTransaction().active());
    EXPECT_EQ(committedCount("select count(*) from t"), 1);
    run("insert into t values (2);\nrollback;");
    EXPECT_FALSE(database.defaultTransaction().active());
    EXPECT_EQ(committedCount("select count(*) from t"), 1);
}

TEST_F(ExecutorTest, SavepointsRunInTheDefaultTransaction) {
    run(kTable);
    run("insert into t values (1);\n"
        "savepoint s1;\n"
        "insert into t values (2);\n"
        "rollback to savepoint s1;\n"
        "insert into t values (3);\n"
        "savepoint s2;\n"
        "insert into t values (4);\n"
        "release savepoint s2;\n"
        "rollback work to s1;\n"
        "insert into t values (5);\n"
        "commit;\n");

    EXPECT_TRUE(events.errorTexts.isEmpty()) << events.errorTexts.join("\n").toStdString();
    EXPECT_TRUE(events.lines.contains("done stmtStartSavepoint savepoint s1"));
    EXPECT_TRUE(events.lines.contains("done stmtReleaseSavePoint release savepoint s2"));
    EXPECT_TRUE(events.lines.contains("done stmtRollbackSavePoint rollback work to s1"));
    EXPECT_EQ(committedCount("select count(*) from t"), 2);
    EXPECT_EQ(committedCount("select sum(id) from t"), 6);
}

TEST_F(ExecutorTest, RowsOfASelectAreReadAndIgnored) {
    run(kTable);
    events.lines.clear();
    run("insert into t values (1);\n"
        "select * from t;\n"
        "select * from rdb$relations;\n"
        "set term ^;\n"
        "execute block returns (x integer) as begin x = 1; suspend; x = 2; suspend; end^\n"
        "execute procedure no_such_procedure^\n");

    ASSERT_EQ(events.lines.size(), 6);
    EXPECT_EQ(events.lines[1], "done stmtDML select * from t");
    EXPECT_EQ(events.lines[2], "done stmtDML select * from rdb$relations");
    EXPECT_TRUE(events.lines[4].startsWith("done stmtDML execute block returns"));
    EXPECT_TRUE(events.lines[5].startsWith("error Dynamic SQL Error | execute procedure no_such_procedure"));
}

TEST_F(ExecutorTest, ProcedureOutputsAndReturningNeedNoCursor) {
    run("set term ^;\n"
        "create table t (id integer)^\n"
        "create procedure p returns (x integer) as begin x = 5; end^\n"
        "execute procedure p^\n"
        "insert into t values (7) returning id^\n");
    EXPECT_TRUE(events.errorTexts.isEmpty()) << events.errorTexts.join("\n").toStdString();
    EXPECT_EQ(events.lines.size(), 5);
}

TEST_F(ExecutorTest, ColonInsideAnExecuteBlockIsAVariable) {
    run(kTable);
    run("set term ^;\n"
        "execute block as declare x integer = 7; begin insert into t values (:x); end^\n"
        "commit^");
    EXPECT_TRUE(events.errorTexts.isEmpty()) << events.errorTexts.join("\n").toStdString();
    EXPECT_EQ(committedCount("select id from t"), 7);
}

TEST_F(ExecutorTest, StatementThatNeedsValuesFailsWithTheEnginesText) {
    run(kTable);
    run("insert into t values (?);\ninsert into t values (2);");
    EXPECT_EQ(events.errorTexts, QStringList({"Dynamic SQL Error\r\nSQLDA error\r\nData type unknown\r\n"
                                              "at SQLVAR index 0"}));
    EXPECT_EQ(events.lines.last(), "error Dynamic SQL Error | insert into t values (?) | 1");
}

TEST_F(ExecutorTest, IgnoredErrorLetsTheFileGoOn) {
    events.ignoreErrors = true;
    run("create table t (id integer not null primary key);\n"
        "create table t (id integer);\n"
        "insert into t values (1);\n"
        "insert into t values (1);\n"
        "insert into t values (2);\n"
        "commit;\n");
    EXPECT_EQ(events.errorTexts.size(), 2);
    EXPECT_EQ(events.lines.size(), 6);
    EXPECT_EQ(committedCount("select sum(id) from t"), 3);
}

struct EventText {
    const char* script;
    const char* expected;
};

class EventTexts : public ExecutorTest, public testing::WithParamInterface<EventText> {};

TEST_P(EventTexts, SettingsAndTerminatorChanges) {
    run(GetParam().script);
    EXPECT_EQ(events.lines, QStringList({GetParam().expected}));
}

INSTANTIATE_TEST_SUITE_P(Cases, EventTexts,
                         testing::Values(EventText{"set autoddl off;", "done stmtSET autoddl OFF"},
                                         EventText{"SET   names\n win1250 ;", "done stmtSET names win1250"},
                                         EventText{"set statistics on;", "done stmtSET statistics ON"},
                                         EventText{"set sql dialect 3;", "done stmtSET sql dialect 3"},
                                         EventText{"set term ^;", "done stmtTERM ^"},
                                         EventText{"SET TERM !! ;", "done stmtTERM !!"},
                                         EventText{"SET TERM \xA3 ;", "done stmtTERM Ł"}));

TEST_F(ExecutorTest, SettingsFollowTheirStatements) {
    run("set autoddl On ;\nset statistics ON;\nset names WIN1250;");
    // Only a third word of exactly ON turns automatic DDL commit on; "On" is not it (a last word is in
    // capitals only when it stands directly before the terminator).
    EXPECT_FALSE(executor.settings().autoDdl);
    EXPECT_TRUE(executor.settings().statistics);
    EXPECT_EQ(executor.settings().names, "WIN1250");
    run("set autoddl ON;\nset statistics off;");
    EXPECT_TRUE(executor.settings().autoDdl);
    EXPECT_FALSE(executor.settings().statistics);
}

TEST_F(ExecutorTest, LowerDialectReattachesAndChangesHowQuotesRead) {
    run("set sql dialect 1;\n"
        "create table t (s varchar(10));\n"
        "insert into t values (\"abc\");\n"
        "commit;");
    EXPECT_TRUE(events.errorTexts.isEmpty()) << events.errorTexts.join("\n").toStdString();
    EXPECT_EQ(database.sqlDialect(), 1);
    EXPECT_EQ(executor.settings().sqlDialect, 1);
    EXPECT_EQ(committedCount("select count(*) from t where s = 'abc'"), 1);
}

TEST_F(ExecutorTest, DialectThatIsNotAWholeNumberLeavesTheRun) {
    run(kTable);
    events.lines.clear();
    EXPECT_THROW(run("insert into t values (1);\nset sql dialect three;\ninsert into t values (2);"),
                 ScriptSettingError);
    EXPECT_EQ(events.lines, QStringList({"done stmtDML insert into t values (1)"}));
    EXPECT_EQ(executor.settings().sqlDialect, 3);
    executor.run(); // the rest of the file stays unread
    EXPECT_EQ(events.lines.size(), 1);
}

class RefusedStatements : public ExecutorTest, public testing::WithParamInterface<const char*> {};

TEST_P(RefusedStatements, AreInvalidAndStopTheFile) {
    const std::string script = std::string("commit;\n") + GetParam() + ";\ncommit;";
    run(script.c_str());
    EXPECT_EQ(events.lines,
              QStringList({"done stmtCOMMIT commit", QString("parse Invalid statement | %1 | 2").arg(GetParam())}));
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedStatements,
                         testing::Values("create database 'other.fdb'", "CREATE SCHEMA 'other.fdb'",
                                         "connect 'other.fdb'", "drop database", "input 'other.sql'", "batch start",
                                         "batch execute", "set savepoints off", "commit work",
                                         "recreate table t (id integer)"));

TEST_F(ExecutorTest, ReconnectCommitsAndAttachesAgain) {
    run(kTable);
    run("insert into t values (1);\nreconnect;\ninsert into t values (2);");
    EXPECT_TRUE(database.connected());
    EXPECT_EQ(committedCount("select count(*) from t"), 1);
    EXPECT_EQ(events.lines.last(), "done stmtDML insert into t values (2)");
}

} // namespace
} // namespace akt::test
