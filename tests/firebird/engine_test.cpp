// The layer against the real engine, embedded: a database file in a temporary folder, no server.
#include "support/error_text.h"
#include "tests/common/firebird_test_support.h"
#include "update/firebird/client_library.h"
#include "update/firebird/connection.h"
#include "update/firebird/database_error.h"
#include "update/firebird/parameter_blocks.h"
#include "update/firebird/sql_execution.h"
#include "update/firebird/statement.h"
#include "update/firebird/transaction.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>

namespace akt {
namespace {

QVariantList firstRow(Transaction& transaction, const QByteArray& sql) {
    Statement statement(transaction);
    statement.prepare(sql);
    statement.execute();
    QVariantList row;
    if (statement.fetch())
        for (int i = 0; i < statement.columnCount(); ++i)
            row << statement.value(i);
    return row;
}

class EmbeddedEngine : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        database.setTarget(folder.filePath("engine.fdb"));
        database.parameterLines() = creationLines("SYSDBA", "masterkey");
        database.createDatabase();
    }

    QTemporaryDir folder;
    Connection database{test::testClientLibrary()};
};

TEST_F(EmbeddedEngine, NewDatabaseIsAttachedInDialect3) {
    EXPECT_TRUE(database.connected());
    EXPECT_EQ(database.databaseDialect(), 3);
    EXPECT_EQ(database.sqlDialect(), 3);
}

TEST_F(EmbeddedEngine, DefaultTransactionIsReadCommittedRecordVersionNoWait) {
    const QVariantList row =
        firstRow(database.defaultTransaction(), "select mon$isolation_mode, mon$lock_timeout, mon$read_only from "
                                                "mon$transactions where mon$transaction_id = current_transaction");
    // Isolation mode 2 is read committed with record versions; lock timeout 0 is no wait.
    EXPECT_EQ(row, QVariantList({2LL, 0LL, 0LL}));
}

TEST_F(EmbeddedEngine, EmptyParameterBlockGivesTheEngineDefaults) {
    Transaction ddl(database, QByteArray());
    const QVariantList row = firstRow(ddl, "select mon$isolation_mode, mon$lock_timeout from mon$transactions "
                                           "where mon$transaction_id = current_transaction");
    // Concurrency (snapshot), waiting without limit.
    EXPECT_EQ(row, QVariantList({1LL, -1LL}));
}

TEST_F(EmbeddedEngine, DisconnectCommitsTheDefaultTransaction) {
    Transaction ddl(database, QByteArray());
    executeImmediate(ddl, "create table t (id integer)");
    ddl.commit();
    executeImmediate(database.defaultTransaction(), "insert into t values (7)");
    ASSERT_TRUE(database.defaultTransaction().active());

    database.disconnect();
    EXPECT_FALSE(database.connected());
    EXPECT_FALSE(database.defaultTransaction().active());

    database.parameterLines() = QStringList{"user_name=SYSDBA"};
    database.connect();
    EXPECT_EQ(firstRow(database.defaultTransaction(), "select sum(id) from t"), QVariantList({7LL}));
}

TEST_F(EmbeddedEngine, DisconnectReleasesOpenStatements) {
    Statement statement(database.defaultTransaction());
    statement.prepare("select rdb$relation_id from rdb$relations");
    statement.execute();
    ASSERT_TRUE(statement.fetch());

    database.disconnect();
    EXPECT_FALSE(statement.prepared());
    EXPECT_FALSE(statement.fetch());
}

TEST_F(EmbeddedEngine, StatementWithParameterMarkersFailsWithTheEnginesError) {
    Statement statement(database.defaultTransaction());
    statement.prepare("select 1 from rdb$database where 1 = ?");
    EXPECT_EQ(statement.parameterCount(), 1);
    EXPECT_THROW(statement.execute(), DatabaseError);
    EXPECT_THROW(executeDiscardingRows(database.defaultTransaction(), "select 1 from rdb$database where 1 = ?"),
                 DatabaseError);
}

TEST_F(EmbeddedEngine, SelectRowsAreReadAndDiscarded) {
    EXPECT_NO_THROW(executeDiscardingRows(database.defaultTransaction(), "select * from rdb$relations"));
    EXPECT_TRUE(database.defaultTransaction().active());
}

TEST_F(EmbeddedEngine, ValuesOfEachKind) {
    const QVariantList row =
        firstRow(database.defaultTransaction(), "select cast(12.5 as numeric(9,2)), cast('ab' as varchar(5)), "
                                                "cast('x' as char(3)), cast(null as integer), true from rdb$database");
    EXPECT_EQ(row, QVariantList({12.5, QByteArray("ab"), QByteArray("x  "), QVariant(), true}));
}

TEST_F(EmbeddedEngine, SetDialectIsUsedForStatements) {
    database.setSqlDialect(1);
    // Double quotes delimit strings in dialect 1 and identifiers in dialect 3.
    EXPECT_EQ(firstRow(database.defaultTransaction(), "select \"abc\" from rdb$database"),
              QVariantList({QByteArray("abc")}));
    database.setSqlDialect(3);
    EXPECT_THROW(firstRow(database.defaultTransaction(), "select \"abc\" from rdb$database"), DatabaseError);
}

TEST_F(EmbeddedEngine, ReconnectKeepsTheTarget) {
    database.parameterLines() = QStringList{""};
    database.reconnect();
    EXPECT_TRUE(database.connected());
    EXPECT_EQ(database.databaseDialect(), 3);
}

TEST_F(EmbeddedEngine, TransactionOnAClosedConnectionIsRefused) {
    database.disconnect();
    Transaction transaction(database, QByteArray());
    try {
        transaction.start();
        FAIL() << "no error raised";
    } catch (const DatabaseError& error) {
        EXPECT_EQ(errorText(error), "Cannot perform operation -- DB is not open");
    }
}

TEST(EngineErrors, EmptyTargetIsRefusedBeforeTheEngine) {
    Connection database(test::testClientLibrary());
    try {
        database.connect();
        FAIL() << "no error raised";
    } catch (const DatabaseError& error) {
        EXPECT_EQ(errorText(error), "Database name is missing");
    }
}

TEST(EngineErrors, EngineMessagesJoinedByCrLfWithoutFinalFullStop) {
    QTemporaryDir folder;
    Connection database(test::testClientLibrary());
    database.setTarget(folder.filePath("missing.fdb"));
    try {
        database.connect();
        FAIL() << "no error raised";
    } catch (const DatabaseError& error) {
        const QString text = errorText(error);
        EXPECT_TRUE(text.startsWith("I/O error during \"open\" operation for file")) << text.toStdString();
        EXPECT_TRUE(text.contains(folder.filePath("missing.fdb")));
        EXPECT_GE(text.count("\r\n"), 1);
        EXPECT_FALSE(text.contains(QRegularExpression("[^\r]\n|^\r|\n$|\\.$"))) << text.toStdString();
        EXPECT_FALSE(text.contains("SQLCODE", Qt::CaseInsensitive));
    }
    EXPECT_FALSE(database.connected());
}

} // namespace
} // namespace akt
