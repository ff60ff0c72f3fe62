#include "executor_fixture.h"

#include "update/firebird/client_library.h"
#include "update/firebird/parameter_blocks.h"
#include "update/firebird/statement.h"
#include "update/firebird/transaction.h"
#include "update/parser/script_lines.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <stdexcept>

namespace akt::test {

const ClientLibrary& library() {
    static const std::unique_ptr<ClientLibrary> loaded = ClientLibrary::load(nullptr);
    if (!loaded)
        throw std::runtime_error("the Firebird client library cannot be loaded");
    return *loaded;
}

bool serverListening() {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    if (socket < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(3050);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool listening = ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return listening;
}

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
    if (!target().server.isEmpty() && !serverListening()) {
        if (qEnvironmentVariable("CI") == "true")
            GTEST_FAIL() << "no Firebird server on 127.0.0.1:3050 (run scripts/start-firebird-server.sh)";
        GTEST_SKIP() << "no Firebird server on 127.0.0.1:3050; run scripts/start-firebird-server.sh as root";
    }
    database.setTarget(Connection::targetFor(target().server, folder.filePath("executor.fdb")));
    database.parameterLines() = creationLines("SYSDBA", "plumbjoin");
    database.createDatabase();
    // What connecting adds, so that the tests can attach again.
    database.parameterLines() << "user_name=SYSDBA"
                              << "password=plumbjoin";
    events.bind(skrypt);
}

void ExecutorTest::run(const char* script) {
    skrypt.setScript(ScriptLines::fromBytes(script));
    skrypt.run();
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
