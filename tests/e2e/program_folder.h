#pragma once

// A copy of the executable in a folder of its own with a DBSRC tree beside it, started as an
// installer starts it: no display, create mode on an embedded database.
#include "tests/common/qstring_printer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <cstdio>

namespace akt_e2e {

struct Outcome {
    int exitCode = -1;
    QString standardError;
    QString standardOutput;
    qint64 milliseconds = 0;
};

class ProgramRun : public testing::Test {
public:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        program = folder.filePath("aktualizacja");
        ASSERT_TRUE(QFile::copy(AKT_PROGRAM, program));
        ASSERT_TRUE(QFile::setPermissions(program, QFile::permissions(AKT_PROGRAM)));
        copyTree(AKT_EXAMPLES, folder.filePath("DBSRC"));
        database = folder.filePath("demo.fdb");
    }

    // QTemporaryDir cannot remove a file whose name is not UTF-8 (the Windows-1250 cases).
    void TearDown() override { QProcess::execute("rm", {"-rf", folder.path()}); }

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

    // The file name is bytes, as the file system takes it.
    void addScript(const QByteArray& relativePath, const QByteArray& text) {
        const QByteArray path = QFile::encodeName(folder.path()) + "/DBSRC/" + relativePath;
        std::FILE* raw = std::fopen(path.constData(), "wb");
        ASSERT_NE(raw, nullptr) << path.toStdString();
        std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), raw);
        std::fclose(raw);
    }

    // The program without a display, as a process the test can signal; extra environment entries are NAME=VALUE.
    void start(QProcess& process, const QStringList& arguments, const QStringList& environment = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        for (const QString& entry : environment)
            env.insert(entry.section('=', 0, 0), entry.section('=', 1));
        process.setProcessEnvironment(env);
        process.start(program, arguments);
    }

    Outcome finish(QProcess& process, const QElapsedTimer& clock) {
        EXPECT_TRUE(process.waitForFinished(120000)) << "the program did not end";
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardError()),
                QString::fromUtf8(process.readAllStandardOutput()), clock.elapsed()};
    }

    Outcome run(const QStringList& arguments, const QStringList& environment = {}) {
        QProcess process;
        QElapsedTimer clock;
        clock.start();
        start(process, arguments, environment);
        return finish(process, clock);
    }

    // Create mode on the fixture's database as SYSDBA.
    Outcome create() { return run({"", database, "SYSDBA", "masterkey", "T"}); }

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

    // Whether a table of that name exists in the database ("1") or not ("0").
    QString tableCount(const QString& name) const {
        return query("select count(*) from rdb$relations where rdb$relation_name = '" + name + "'");
    }

    // What Firebird's full validation reports of the database file: empty when it is sound.
    QString validation() const {
        QProcess gfix;
        gfix.start("gfix", {"-v", "-full", "-n", "-user", "SYSDBA", "-password", "masterkey", database});
        gfix.waitForFinished(120000);
        return QString::fromLocal8Bit(gfix.readAllStandardOutput() + gfix.readAllStandardError()).trimmed() +
               (gfix.exitCode() != 0 ? QStringLiteral(" (gfix exit code %1)").arg(gfix.exitCode()) : QString());
    }

    // The validation report less its warnings (orphan pages a refused write leaves behind lose space,
    // not data): empty when the database has no error.
    QString validationErrors() const {
        QStringList errors;
        for (const QString& line : validation().split('\n', Qt::SkipEmptyParts)) {
            if (!line.startsWith("Summary of validation errors") && !line.contains("warnings"))
                errors << line.trimmed();
        }
        return errors.join('\n');
    }

    QTemporaryDir folder;
    QString program;
    QString database;
};

} // namespace akt_e2e
