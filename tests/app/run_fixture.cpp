#include "tests/app/run_fixture.h"

#include "update/database/single_integer_query.h"
#include "update/firebird/connection.h"
#include "update/firebird/sql_execution.h"
#include "update/firebird/transaction.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>

namespace akt::test {

namespace {

QByteArray windows1250(const QString& text) {
    QStringEncoder encoder("windows-1250");
    return encoder.encode(text);
}

} // namespace

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
    form = std::make_unique<TFRM_aktualizacja>(view, folder(), arguments, testClientLibrary());
    form->FormCreate();
    form->FormShow();
    return *form;
}

void RunFixture::createServerDatabase(const QString& path, const QStringList& statements) {
    Connection database(testClientLibrary());
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
    Connection database(testClientLibrary());
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
    for (const QString& line : view.log.lines())
        text += line + QStringLiteral("\r\n");
    return windows1250(text);
}

bool RunFixture::hasDialog(DialogKind kind, const QString& text) const {
    for (const ShownDialog& shown : view.dialogs)
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
