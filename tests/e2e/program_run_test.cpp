// The program as an installer starts it: a copy of the executable in a folder of its own with a
// DBSRC tree beside it, no display, create mode on an embedded database.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>

namespace {

struct Outcome {
    int exitCode = -1;
    QString standardError;
};

class ProgramRun : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        program = folder.filePath("aktualizacja");
        ASSERT_TRUE(QFile::copy(AKT_PROGRAM, program));
        ASSERT_TRUE(QFile::setPermissions(program, QFile::permissions(AKT_PROGRAM)));
        copyTree(AKT_EXAMPLES, folder.filePath("DBSRC"));
        database = folder.filePath("demo.fdb");
    }

    static void copyTree(const QString& from, const QString& to) {
        QDir().mkpath(to);
        const QDir source(from);
        for (const QFileInfo& entry : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QString target = to + "/" + entry.fileName();
            if (entry.isDir())
                copyTree(entry.filePath(), target);
            else
                ASSERT_TRUE(QFile::copy(entry.filePath(), target)) << target.toStdString();
        }
    }

    void addScript(const QString& relativePath, const QByteArray& text) {
        QFile file(folder.filePath("DBSRC/" + relativePath));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // Runs the copy without a display; extra environment entries are NAME=VALUE.
    Outcome run(const QStringList& arguments, const QStringList& environment = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        for (const QString& entry : environment)
            env.insert(entry.section('=', 0, 0), entry.section('=', 1));
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(120000)) << "the program did not end";
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

    QString runLog() const {
        QFile file(folder.filePath("log.txt"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringDecoder decoder("windows-1250");
        return decoder(file.readAll());
    }

    // One value read back with Firebird's own isql, opening the file directly.
    QString query(const QString& sql) const {
        QProcess isql;
        isql.start("isql-fb", {"-q", "-user", "SYSDBA", "-password", "masterkey", database});
        isql.write((sql + ";\nquit;\n").toUtf8());
        isql.closeWriteChannel();
        isql.waitForFinished(60000);
        const QStringList lines = QString::fromLocal8Bit(isql.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        return lines.isEmpty() ? QString() : lines.last().trimmed();
    }

    QTemporaryDir folder;
    QString program;
    QString database;
};

TEST_F(ProgramRun, CreateModeWithoutDisplayBuildsTheExampleDatabase) {
    const Outcome outcome = run({"", database, "SYSDBA", "masterkey", "T"});

    EXPECT_EQ(outcome.exitCode, 0) << outcome.standardError.toStdString();
    EXPECT_TRUE(QFileInfo::exists(database));
    EXPECT_EQ(query("select dbver from t_program"), "5");
    EXPECT_EQ(query("select count(*) from klienci"), "2");
    EXPECT_EQ(query("select count(*) from rdb$procedures where rdb$procedure_name = 'NASTEPNY_NUMER'"), "1");
    const QString log = runLog();
    EXPECT_TRUE(log.startsWith("Tworzenie bazy: :" + database + "\r\n")) << log.toStdString();
    EXPECT_TRUE(log.endsWith("Baza odłączona\r\n")) << log.toStdString();
}

TEST_F(ProgramRun, CreateModeWithAFailingStatementEndsWithExitCode2) {
    addScript("06_BLAD.SQL", "INSERT INTO NIE_MA_TAKIEJ_TABELI VALUES (1);\r\n");

    const Outcome outcome = run({"", database, "SYSDBA", "masterkey", "t"});

    EXPECT_EQ(outcome.exitCode, 2) << outcome.standardError.toStdString();
    EXPECT_TRUE(runLog().contains("Niepodzenie linia:1\r\nINSERT INTO NIE_MA_TAKIEJ_TABELI VALUES (1)\r\n"))
        << runLog().toStdString();
    // What ran before the failing script stays in the database.
    EXPECT_EQ(query("select count(*) from klienci"), "2");
}

TEST_F(ProgramRun, CreateModeThatCannotCreateTheDatabaseEndsWithExitCode3) {
    database = folder.filePath("no/such/folder/demo.fdb");

    const Outcome outcome = run({"", database, "SYSDBA", "masterkey", "T"});

    EXPECT_EQ(outcome.exitCode, 3) << outcome.standardError.toStdString();
    EXPECT_TRUE(outcome.standardError.contains("Nie utworzono bazy danych. Skontaktuj się z dostawcą oprogramowania."))
        << outcome.standardError.toStdString();
}

TEST_F(ProgramRun, MissingClientLibraryEndsWithExitCode1AndNamesTheFile) {
    const QString missing = folder.filePath("libfbclient-missing.so.2");

    const Outcome outcome = run({"", database, "SYSDBA", "masterkey", "T"}, {"AKT_FBCLIENT=" + missing});

    EXPECT_EQ(outcome.exitCode, 1) << outcome.standardError.toStdString();
    EXPECT_TRUE(outcome.standardError.contains("InterBase library " + missing +
                                               " not found in the path. Please install InterBase to use this "
                                               "functionality"))
        << outcome.standardError.toStdString();
    EXPECT_FALSE(QFileInfo::exists(database));
}

TEST_F(ProgramRun, UpdateModeWithoutDisplayExplainsAndEndsWithExitCode3) {
    const Outcome outcome = run({"", database, "SYSDBA", "masterkey", "TRUE"});

    EXPECT_EQ(outcome.exitCode, 3) << outcome.standardError.toStdString();
    EXPECT_TRUE(outcome.standardError.contains("no display")) << outcome.standardError.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("log.txt")));
}

} // namespace
