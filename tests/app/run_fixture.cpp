#include "tests/app/run_fixture.h"

#include "support/single_integer_query.h"
#include "tests/app/test_library.h"
#include "update/firebird/connection.h"
#include "update/firebird/sql_execution.h"
#include "update/firebird/transaction.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace akt::test {

const QString kAdminPassword = QStringLiteral("plumbjoin");

namespace {

QByteArray windows1250(const QString& text) {
    QStringEncoder encoder("windows-1250");
    return encoder.encode(text);
}

} // namespace

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

void RunFixture::SetUp() {
    ASSERT_TRUE(program.isValid());
    ASSERT_TRUE(data.isValid());
}

void RunFixture::script(const QString& relativePath, const QString& text) {
    const QString path = folder() + relativePath;
    ASSERT_TRUE(QDir().mkpath(path.section('/', 0, -2)));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QString crlf = text;
    crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    file.write(windows1250(crlf));
}

TFRM_aktualizacja& RunFixture::show(const QStringList& arguments) {
    form = std::make_unique<TFRM_aktualizacja>(view, folder(), arguments, clientLibrary());
    form->FormCreate();
    form->FormShow();
    return *form;
}

void RunFixture::requireServer() {
    if (serverListening())
        return;
    if (qEnvironmentVariable("CI") == QStringLiteral("true"))
        GTEST_FAIL() << "no Firebird server on 127.0.0.1:3050 (run scripts/start-firebird-server.sh)";
    GTEST_SKIP() << "no Firebird server on 127.0.0.1:3050; run scripts/start-firebird-server.sh as root";
}

void RunFixture::createServerDatabase(const QString& path, const QStringList& statements) {
    Connection database(clientLibrary());
    database.setTarget(Connection::targetFor(QStringLiteral("127.0.0.1"), path));
    database.parameterLines() =
        QStringList{QStringLiteral("USER 'SYSDBA'"), QStringLiteral("PASSWORD '") + kAdminPassword + QLatin1Char('\''),
                    QStringLiteral("PAGE_SIZE 4096"), QStringLiteral("DEFAULT CHARACTER SET WIN1250")};
    database.createDatabase();
    for (const QString& statement : statements) {
        executeImmediate(database.defaultTransaction(), windows1250(statement));
        database.defaultTransaction().commit();
    }
    database.disconnect();
}

int RunFixture::queryInt(const QString& server, const QString& path, const QByteArray& query) {
    Connection database(clientLibrary());
    database.setTarget(Connection::targetFor(server, path));
    database.parameterLines() << QStringLiteral("user_name=SYSDBA") << QStringLiteral("password=") + kAdminPassword;
    RecordingView quiet;
    const int value = ExecuteIBQwithINT(quiet, database, query);
    database.disconnect();
    return value;
}

QByteArray RunFixture::runLogBytes() const {
    QFile file(folder() + QStringLiteral("log.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray RunFixture::expectedRunLog() const {
    QString text;
    for (const QString& line : view.logLines())
        text += line + QStringLiteral("\r\n");
    return windows1250(text);
}

bool RunFixture::hasDialog(RecordingView::Dialog kind, const QString& text) const {
    for (const RecordingView::Shown& shown : view.dialogs)
        if (shown.kind == kind && shown.text == text)
            return true;
    return false;
}

QStringList RunFixture::checkedEntries() const {
    QStringList texts;
    for (int i = 0; i < view.scripts.count(); ++i)
        if (view.scripts.entry(i).checked())
            texts << view.scripts.entry(i).displayText();
    return texts;
}

} // namespace akt::test
