// Creating, connecting and reading the schema version against the real engine: embedded (no server name,
// the file opened in this process) and through the server on 127.0.0.1.
#include "update/database/database_session.h"

#include "support/program_folder.h"
#include "support/save_to_log.h"
#include "tests/common/database_target.h"
#include "tests/common/firebird_test_support.h"
#include "tests/common/recording_ui.h"
#include "update/database/single_integer_query.h"
#include "update/firebird/client_library.h"
#include "update/firebird/connection.h"
#include "update/firebird/database_error.h"
#include "update/firebird/sql_execution.h"
#include "update/firebird/statement.h"
#include "update/firebird/transaction.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

namespace akt {
namespace {

using test::CaseName;
using test::kAdminPassword;
using test::kEmbedded;
using test::kServer;
using test::RecordingUi;
using test::Target;

const QString kConnectionFailed =
    "Nie można nawiązać połączenia z serwerem bazy danych!. Skontaktuj się z dostawcą oprogramowania.";
const QString kDuplicateWarning = "Wprowadzone wartości istnieją w bazie danych.";

class SessionTest : public testing::Test {
protected:
    virtual Target target() const = 0;

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        if (!target().server.isEmpty())
            AKT_REQUIRE_TEST_SERVER();
        path = folder.filePath("session.fdb");
    }

    bool create(const QString& user = "SYSDBA", const QString& password = kAdminPassword) {
        return DataBaseCreate(database, ui, Connection::targetFor(target().server, path), user, password);
    }

    // What the script runner does with DDL: its own transaction, committed at once.
    void runDdl(const QByteArray& sql) {
        Transaction ddl(database, QByteArray());
        executeImmediate(ddl, sql);
        ddl.commit();
    }

    QByteArray text(const QByteArray& sql) {
        Statement statement(database.defaultTransaction());
        statement.prepare(sql);
        statement.execute();
        return statement.fetch() ? statement.value(0).toByteArray() : QByteArray();
    }

    QTemporaryDir folder;
    QString path;
    RecordingUi ui;
    Connection database{test::testClientLibrary()};
};

class BothTargets : public SessionTest, public testing::WithParamInterface<Target> {
protected:
    Target target() const override { return GetParam(); }
};

class EmbeddedOnly : public SessionTest {
protected:
    Target target() const override { return kEmbedded; }
};

class ServerOnly : public SessionTest {
protected:
    Target target() const override { return kServer; }
};

TEST_P(BothTargets, CreatesDatabaseWithPageSize4096Win1250AndDialect3) {
    ASSERT_TRUE(create());
    EXPECT_TRUE(database.connected());
    EXPECT_TRUE(ui.logLines.isEmpty());
    EXPECT_TRUE(ui.dialogs.empty());

    // Read back through a fresh attachment, as the update run does after creating.
    DisconnectDatabase(database);
    ASSERT_TRUE(ConnectDatabase(database, ui, target().server, path, "SYSDBA", kAdminPassword));
    EXPECT_EQ(ExecuteIBQwithINT(ui, database, "select mon$page_size from mon$database"), 4096);
    EXPECT_EQ(ExecuteIBQwithINT(ui, database, "select mon$sql_dialect from mon$database"), 3);
    EXPECT_EQ(text("select trim(rdb$character_set_name) from rdb$database"), "WIN1250");
    EXPECT_TRUE(ui.dialogs.empty());
}

TEST_P(BothTargets, ConnectsTwiceInARowKeepingEveryParameterLine) {
    ASSERT_TRUE(create());
    DisconnectDatabase(database);
    Connection fresh(test::testClientLibrary());

    EXPECT_TRUE(ConnectDatabase(fresh, ui, target().server, path, "SYSDBA", kAdminPassword));
    EXPECT_TRUE(ConnectDatabase(fresh, ui, target().server, path, "SYSDBA", kAdminPassword));

    EXPECT_TRUE(fresh.connected());
    const QString attempt = "Podłączanie do bazy: " + target().server + ":" + path;
    EXPECT_EQ(ui.logLines, QStringList({attempt, "Połączono z bazą", attempt, "Połączono z bazą"}));
    EXPECT_EQ(fresh.parameterLines(), QStringList({"", "user_name=SYSDBA", "password=" + kAdminPassword,
                                                   "user_name=SYSDBA", "password=" + kAdminPassword}));
    EXPECT_TRUE(ui.dialogs.empty());
}

// Each step changes the database and reads the version again; the steps build on one another.
struct VersionStep {
    const char* what;
    QByteArray ddl;
    QByteArray dml;
    int expected;
};

TEST_P(BothTargets, SchemaVersion) {
    ASSERT_TRUE(create());
    const VersionStep steps[] = {
        {"missing table", "", "", -1},
        {"no row", "create table t_program (dbver integer)", "", 0},
        {"null version", "", "insert into t_program values (null)", 0},
        {"version 3", "", "update t_program set dbver = 3", 3},
    };
    const QString logFile = datedLogFileName(programFolder(), "IBMessagesLog.txt", QDate::currentDate());
    for (const VersionStep& step : steps) {
        SCOPED_TRACE(step.what);
        if (!step.ddl.isEmpty())
            runDdl(step.ddl);
        if (!step.dml.isEmpty())
            executeImmediate(database.defaultTransaction(), step.dml);

        const qint64 logSizeBefore = QFileInfo(logFile).size();
        EXPECT_EQ(GetDBVersion(database, ui), step.expected);
        QFile log(logFile);
        ASSERT_TRUE(step.expected != -1 || log.open(QIODevice::ReadOnly));
        if (step.expected == -1) {
            log.seek(logSizeBefore);
            const QString added = QStringDecoder("windows-1250")(log.readAll());
            EXPECT_TRUE(added.contains("Table unknown\r\nT_PROGRAM")) << added.toStdString();
        }
        EXPECT_TRUE(database.defaultTransaction().active());
    }
    EXPECT_TRUE(ui.dialogs.empty());
}

// Firebird 3 words a primary-key violation and a unique-index violation differently, and each text holds
// only one of the two duplicate patterns; a constraint whose own name is "DUPLICATE VALUE" puts both into
// one real engine text.
struct Violation {
    const char* what;
    QByteArray table;
    QByteArray index;
    size_t warnings;
};

TEST_P(BothTargets, UniqueKeyViolationsShowTheDuplicateWarning) {
    ASSERT_TRUE(create());
    const Violation violations[] = {
        {"primary key", "create table t_key (id integer not null primary key)", "", 1},
        {"unique index", "create table t_key (id integer)", "create unique index t_key_id on t_key (id)", 1},
        {"both patterns", "create table t_key (id integer not null, constraint \"DUPLICATE VALUE\" primary key (id))",
         "", 2},
    };
    for (const Violation& violation : violations) {
        SCOPED_TRACE(violation.what);
        RecordingUi boxes;
        runDdl(violation.table);
        if (!violation.index.isEmpty())
            runDdl(violation.index);

        EXPECT_EQ(ExecuteIBQwithINT(boxes, database, "insert into t_key values (1) returning id"), 1);
        EXPECT_TRUE(boxes.dialogs.empty());
        EXPECT_EQ(ExecuteIBQwithINT(boxes, database, "insert into t_key values (1) returning id"), -1);

        const RecordingUi::Dialog warning{RecordingUi::Kind::Warning, kDuplicateWarning};
        EXPECT_EQ(boxes.dialogs, std::vector<RecordingUi::Dialog>(violation.warnings, warning));
        database.defaultTransaction().rollback();
        runDdl("drop table t_key");
    }
}

TEST_P(BothTargets, ValueThatIsNoNumberReadsAsMinusOne) {
    ASSERT_TRUE(create());
    EXPECT_EQ(ExecuteIBQwithINT(ui, database, "select 'trzy' from rdb$database"), -1);
    EXPECT_EQ(ExecuteIBQwithINT(ui, database, "select ' 12 ' from rdb$database"), 12);
    EXPECT_EQ(ExecuteIBQwithINT(ui, database, "select cast(5000000000 as bigint) from rdb$database"), -1);
}

TEST_P(BothTargets, MissingDatabaseGivesFalseWithTheMessageAndTheEnginesText) {
    EXPECT_FALSE(ConnectDatabase(database, ui, target().server, path, "SYSDBA", kAdminPassword));
    ASSERT_EQ(ui.logLines.size(), 2);
    EXPECT_TRUE(ui.logLines[1].contains("session.fdb")) << ui.logLines[1].toStdString();
    EXPECT_EQ(ui.dialogs, std::vector<RecordingUi::Dialog>({{RecordingUi::Kind::Plain, kConnectionFailed}}));
}

TEST_P(BothTargets, CreateFailureGivesFalseWithTheMessageAndTheEnginesText) {
    path = folder.filePath("no-such-folder/session.fdb");
    EXPECT_FALSE(create());
    ASSERT_EQ(ui.logLines.size(), 1);
    EXPECT_TRUE(ui.logLines[0].contains("no-such-folder")) << ui.logLines[0].toStdString();
    EXPECT_EQ(ui.dialogs, std::vector<RecordingUi::Dialog>(
                              {{RecordingUi::Kind::Plain,
                                "Nie utworzono bazy danych. Skontaktuj się z dostawcą oprogramowania."}}));
}

TEST_P(BothTargets, PasswordWithAQuoteCreatesTheDatabase) {
    QString user = "SYSDBA";
    const QString password = "it's";
    if (!target().server.isEmpty()) {
        // The server checks the password, so a user who has it must exist and may create databases.
        ASSERT_TRUE(create());
        user = "AKT_QUOTE";
        runDdl("create or alter user AKT_QUOTE password 'it''s'");
        runDdl("grant create database to user AKT_QUOTE");
    }
    const QString quotedPath = path;
    path = folder.filePath("quote.fdb");

    EXPECT_TRUE(create(user, password));
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_TRUE(ui.logLines.isEmpty()) << ui.logLines.join("\n").toStdString();
    EXPECT_TRUE(ConnectDatabase(database, ui, target().server, path, user, password));
    EXPECT_EQ(ExecuteIBQwithINT(ui, database, "select mon$page_size from mon$database"), 4096);

    if (!target().server.isEmpty()) {
        // A fresh connection: this one's parameter lines still carry AKT_QUOTE's, which come first.
        Connection admin(test::testClientLibrary());
        ASSERT_TRUE(ConnectDatabase(admin, ui, target().server, quotedPath, "SYSDBA", kAdminPassword));
        Transaction ddl(admin, QByteArray());
        executeImmediate(ddl, "drop user AKT_QUOTE");
        ddl.commit();
    }
}

TEST_F(EmbeddedOnly, APasswordWithAnEqualsSignCreatesAndConnects) {
    // The embedded engine takes any password, so only the parameter lines decide here.
    ASSERT_TRUE(create("SYSDBA", "a=b"));
    EXPECT_EQ(database.parameterLines(), QStringList({""}));
    DisconnectDatabase(database);

    EXPECT_TRUE(ConnectDatabase(database, ui, target().server, path, "SYSDBA", "a=b"));
    EXPECT_EQ(database.parameterLines(), QStringList({"", "user_name=SYSDBA", "password=a=b"}));
    EXPECT_TRUE(ui.dialogs.empty());
}

INSTANTIATE_TEST_SUITE_P(Targets, BothTargets, testing::Values(kEmbedded, kServer), CaseName{});

TEST_F(ServerOnly, WrongPasswordGivesFalseWithTheMessageAndTheEnginesText) {
    ASSERT_TRUE(create());
    DisconnectDatabase(database);

    EXPECT_FALSE(ConnectDatabase(database, ui, target().server, path, "SYSDBA", "wrong"));
    EXPECT_FALSE(database.connected());
    EXPECT_EQ(ui.dialogs, std::vector<RecordingUi::Dialog>({{RecordingUi::Kind::Plain, kConnectionFailed}}));
    ASSERT_EQ(ui.logLines.size(), 2);
    EXPECT_EQ(ui.logLines[0], "Podłączanie do bazy: 127.0.0.1:" + path);
    EXPECT_TRUE(ui.logLines[1].startsWith("Your user name and password are not defined"))
        << ui.logLines[1].toStdString();
}

} // namespace
} // namespace akt
