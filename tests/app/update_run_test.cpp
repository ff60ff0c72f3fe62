// Update mode through the server on 127.0.0.1: the database choice and its version gate, then the
// run with the real backup tool (a backup beside the program, the restore over the database) and the
// scripts.
#include "tests/app/run_fixture.h"
#include "tests/common/case_name.h"
#include "tests/common/firebird_test_support.h"
#include "update/firebird/connection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <ostream>
#include <string>
#include <vector>

namespace akt::test {
namespace {

using Kind = DialogKind;

const QString kServer = QStringLiteral("127.0.0.1");
const QDateTime kRunTime(QDate(2009, 6, 5), QTime(14, 30, 12));
const QString kNotice = QStringLiteral("Program automatycznie nie mógł wykonać konwersji danych ze starej bazy.\r\n"
                                       "Proszę o kontakt z firmą Wendaphor w celu aktualizacji bazy danych do "
                                       "najnowszej struktury.");

const QString kReturnQuestion =
    QStringLiteral("Przywrócić bazę danych z kopii bezpieczeństwa wykonanej przed aktualizacją?");
const QString kReturned = QStringLiteral("Baza danych przywrócona z kopii bezpieczeństwa.");

class UpdateRunTest : public RunFixture {
protected:
    void SetUp() override {
        RunFixture::SetUp();
        requireTestServer();
        if (IsSkipped() || HasFatalFailure())
            return;
        // Folders of every version, so a listing shows which version's scripts were taken.
        script("DBSRC/1/10_JEDEN.SQL", "UPDATE t_program SET dbver = 11;\n");
        script("DBSRC/3/10_TRZY.SQL", "UPDATE t_program SET dbver = 33;\n");
        script("DBSRC/5/10_PIEC.SQL", "UPDATE t_program SET dbver = 55;\n");
        script("DBSRC/ADR/20_ADR.SQL", "INSERT INTO t_log VALUES ('ADR');\n");
        script("DBSRC/30_WSPOLNY.SQL", "INSERT INTO t_log VALUES ('WSPOLNY');\nCOMMIT;\n");
    }

    QString databasePath() const { return data.path() + QStringLiteral("/stara.fdb"); }

    // A database made by the server, holding t_program with the version (no row for version 0).
    void createVersioned(int version) {
        QStringList statements = {"CREATE TABLE t_program (dbver INTEGER)", "CREATE TABLE t_log (s VARCHAR(20))"};
        if (version != 0)
            statements << QStringLiteral("INSERT INTO t_program VALUES (%1)").arg(version);
        createServerDatabase(databasePath(), statements);
    }

    // Update mode on the server with the database picked in the file dialog.
    void pick() {
        show({kServer, QString(), QStringLiteral("SYSDBA"), kAdminPassword});
        form->setClock(std::make_unique<FixedClock>(kRunTime));
        auto recording = std::make_unique<RecordingRunner>(view);
        runner = recording.get();
        form->setProgramRunner(std::move(recording));
        view.openDialogAnswers.push_back(databasePath());
        form->cxtxtNowaBazaPropertiesButtonClick();
    }

    int serverInt(const QByteArray& query) { return queryInt(kServer, databasePath(), query); }
    QString backupPath() const { return folder() + QStringLiteral("Kopia_20090605_143012.fbk"); }

    RecordingRunner* runner = nullptr;
};

TEST_F(UpdateRunTest, UpdatesThroughBackupAndRestoreThenRunsTheScripts) {
    createVersioned(3);
    const QDateTime beforeRun = QDateTime::currentDateTime();
    pick();
    ASSERT_TRUE(view.start);
    ASSERT_EQ(view.scripts.count(), 3);
    // Clicks that arrive while the run waits for the backup tool start nothing.
    std::vector<std::pair<bool, bool>> controlsDuringRun;
    runner->during = [&] {
        controlsDuringRun.push_back({view.start, view.pathEnabled});
        view.openDialogAnswers.push_back(databasePath());
        form->btnAktualizujClick();
        form->cxtxtNowaBazaPropertiesButtonClick();
    };
    form->btnAktualizujClick();

    ASSERT_EQ(runner->calls.size(), 2u);
    EXPECT_EQ(runner->calls[0].params,
              "-B -t -user SYSDBA -pas plumbjoin \"" + databasePath() + "\" \"" + backupPath() + "\"");
    EXPECT_EQ(runner->calls[1].params,
              "-r -REP -user SYSDBA -pas plumbjoin \"" + backupPath() + "\" \"" + databasePath() + "\"");
    EXPECT_EQ(QFileInfo(runner->calls[0].file).fileName(), "gbak");
    EXPECT_EQ(controlsDuringRun, (std::vector<std::pair<bool, bool>>{{false, false}, {false, false}}));
    EXPECT_EQ(view.openDialogs, 1);

    const QString at = kServer + QStringLiteral(":") + databasePath();
    const QStringList expected = {
        "Rozpoczynam wykonanie kopii bezpieczestwa ...",
        "Kopia zapisana - " + backupPath(),
        "Rozpoczynam Odtwarzanie z kopi bezpieczestwa ...",
        "Kopia Odtworzona - " + backupPath(),
        QString(59, '+'),
        "Podłączanie do bazy: " + at,
        "Połączono z bazą",
        "Przetwarzanie... 10_TRZY",
        "Przetwarzanie zakoczone: 10_TRZY",
        "Przetwarzanie... 20_ADR",
        "Przetwarzanie zakoczone: 20_ADR",
        "Przetwarzanie... 30_WSPOLNY",
        "Przetwarzanie zakoczone: 30_WSPOLNY",
        "Baza odłączona",
    };
    EXPECT_EQ(view.log.lines(), expected);
    EXPECT_EQ(runLogBytes(), expectedRunLog());
    EXPECT_EQ(view.dialogs, std::vector<ShownDialog>({{Kind::Plain, "Aktualizacja zakoczona"}}));
    EXPECT_GT(QFileInfo(backupPath()).size(), 0);
    EXPECT_TRUE(QRegularExpression("^Kopia_\\d{8}_\\d{6}\\.fbk$").match(QFileInfo(backupPath()).fileName()).hasMatch());
    EXPECT_FALSE(view.start);
    EXPECT_TRUE(view.close);
    EXPECT_TRUE(view.pathEnabled);
    EXPECT_EQ(form->exitCode(), 0);

    EXPECT_EQ(serverInt("select dbver from t_program"), 33);
    EXPECT_EQ(serverInt("select count(*) from t_log"), 2);
    // The restore rebuilt the file: the database now dates from the run, not from its creation.
    const QByteArray restoredLater = "select iif(mon$creation_date > timestamp '" +
                                     beforeRun.toString("yyyy-MM-dd HH:mm:ss.zzz").toLatin1() +
                                     "', 1, 0) from mon$database";
    EXPECT_EQ(serverInt(restoredLater), 1);
}

TEST_F(UpdateRunTest, AFailingStatementInTheSecondOfFourScriptsSkipsTheLastTwo) {
    script("DBSRC/ADR/20_ADR.SQL", "INSERT INTO t_log VALUES ('ADR1');\nINSERT INTO brak VALUES (1);\n"
                                   "INSERT INTO t_log VALUES ('ADR2');\n");
    script("DBSRC/3/40_KONIEC.SQL", "INSERT INTO t_log VALUES ('KONIEC');\n");
    createVersioned(3);
    pick();
    form->btnAktualizujClick();

    const QStringList& log = view.log.lines();
    EXPECT_TRUE(log.contains("Wystąpił błąd - niezgodna struktura bazy danych - pomijam wykonanie:30_WSPOLNY"));
    EXPECT_TRUE(log.contains("Wystąpił błąd - niezgodna struktura bazy danych - pomijam wykonanie:40_KONIEC"));
    const int failure = log.indexOf("Niepodzenie linia:2");
    ASSERT_GE(failure, 0) << log.join('\n').toStdString();
    EXPECT_EQ(log.at(failure + 1), "INSERT INTO brak VALUES (1)");
    EXPECT_EQ(log.indexOf("Przetwarzanie... 30_WSPOLNY"), log.indexOf("Przetwarzanie zakoczone: 20_ADR") + 1);
    EXPECT_EQ(checkedEntries(), QStringList({"10_TRZY", "20_ADR", "30_WSPOLNY", "40_KONIEC"}));
    EXPECT_TRUE(view.logRed);
    EXPECT_EQ(view.dialogs, std::vector<ShownDialog>({{Kind::Notice, kNotice}}));
    // Asked after the notice; No, the default, leaves the database as the run left it.
    EXPECT_EQ(view.questions, QStringList({kReturnQuestion}));
    EXPECT_EQ(runner->calls.size(), 2u);
    EXPECT_EQ(form->exitCode(), 2);
    // The failed file's first insert is kept by the final disconnect; nothing after the failure ran.
    EXPECT_EQ(serverInt("select count(*) from t_log"), 1);
    EXPECT_EQ(serverInt("select dbver from t_program"), 33);
}

TEST_F(UpdateRunTest, YesAfterAFailedUpdateRestoresTheBackupOfThisRun) {
    script("DBSRC/ADR/20_ADR.SQL", "INSERT INTO t_log VALUES ('ADR1');\nINSERT INTO brak VALUES (1);\n");
    createVersioned(3);
    pick();
    view.yesNoAnswers.push_back(true);
    form->btnAktualizujClick();

    EXPECT_EQ(view.questions, QStringList({kReturnQuestion}));
    ASSERT_EQ(runner->calls.size(), 3u);
    EXPECT_EQ(runner->calls[2].file, runner->calls[1].file);
    EXPECT_EQ(runner->calls[2].params, runner->calls[1].params);
    const QStringList& log = view.log.lines();
    ASSERT_GE(log.size(), 3);
    EXPECT_EQ(
        log.mid(log.size() - 3),
        QStringList({"Baza odłączona", "Przywracanie bazy danych z kopii bezpieczeństwa: " + backupPath(), kReturned}));
    EXPECT_EQ(view.dialogs, std::vector<ShownDialog>({{Kind::Notice, kNotice}, {Kind::Plain, kReturned}}));
    EXPECT_EQ(runLogBytes(), expectedRunLog());
    EXPECT_EQ(view.currentCursor, Cursor::Normal);
    EXPECT_TRUE(view.close);
    EXPECT_EQ(form->exitCode(), 2) << "the update did not complete";
    // As before the update: its version, and none of the failed script's rows.
    EXPECT_EQ(serverInt("select dbver from t_program"), 3);
    EXPECT_EQ(serverInt("select count(*) from t_log"), 0);
}

TEST_F(UpdateRunTest, AReturnWhoseRestoreFailsSaysSoAndKeepsTheBackup) {
    script("DBSRC/ADR/20_ADR.SQL", "INSERT INTO t_log VALUES ('ADR1');\nINSERT INTO brak VALUES (1);\n");
    // A backup tool beside the program: the real one, except that a restore fails once the marker is there.
    const QString marker = folder() + "restore-fails";
    QFile tool(folder() + "gbak");
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    const QString realTool = QStandardPaths::findExecutable("gbak");
    ASSERT_FALSE(realTool.isEmpty());
    tool.write("#!/bin/sh\ncase \"$1\" in -r) [ -e '" + marker.toUtf8() + "' ] && exit 1 ;; esac\nexec '" +
               realTool.toUtf8() + "' \"$@\"\n");
    tool.close();
    ASSERT_TRUE(tool.setPermissions(tool.permissions() | QFile::ExeOwner));
    createVersioned(3);
    pick();
    runner->during = [&] {
        if (runner->calls.size() == 3)
            QFile(marker).open(QIODevice::WriteOnly);
    };
    view.yesNoAnswers.push_back(true);
    form->btnAktualizujClick();

    ASSERT_EQ(runner->calls.size(), 3u);
    EXPECT_EQ(QFileInfo(runner->calls[2].file).absoluteFilePath(), QFileInfo(tool).absoluteFilePath());
    const QString failure =
        "Odtwarzanie z kopii bezpieczeństwa nie powiodło się (kod: 1). Kopia bezpieczeństwa: " + backupPath();
    const QStringList& log = view.log.lines();
    EXPECT_EQ(log.mid(log.size() - 2),
              QStringList({"Przywracanie bazy danych z kopii bezpieczeństwa: " + backupPath(), failure}));
    EXPECT_EQ(view.dialogs, std::vector<ShownDialog>({{Kind::Notice, kNotice}, {Kind::Plain, failure}}));
    EXPECT_EQ(runLogBytes(), expectedRunLog());
    EXPECT_GT(QFileInfo(backupPath()).size(), 0);
    EXPECT_EQ(form->exitCode(), 2);
    // The database is as the failed update left it.
    EXPECT_EQ(serverInt("select count(*) from t_log"), 1);
}

TEST_F(UpdateRunTest, AnotherAttachmentStopsTheRunBeforeTheBackupUntilItCloses) {
    createVersioned(3);
    Connection other(testClientLibrary());
    other.setTarget(Connection::targetFor(kServer, databasePath()));
    other.parameterLines() << QStringLiteral("user_name=SYSDBA") << QStringLiteral("password=") + kAdminPassword;
    other.connect();
    pick();
    ASSERT_TRUE(view.start);
    form->btnAktualizujClick();

    const QString text = QStringLiteral("Baza danych jest używana przez inne połączenia (1). Zamknij programy "
                                        "korzystające z bazy i spróbuj ponownie.");
    EXPECT_TRUE(runner->calls.empty()) << "no backup is taken";
    EXPECT_EQ(view.log.lines(), QStringList({text}));
    EXPECT_EQ(view.dialogs, std::vector<ShownDialog>({{Kind::Plain, text}}));
    EXPECT_FALSE(QFileInfo::exists(backupPath()));
    EXPECT_TRUE(view.start) << "the user can try again";
    EXPECT_TRUE(view.close);
    EXPECT_EQ(view.currentCursor, Cursor::Normal);
    EXPECT_EQ(view.scripts.count(), 3);
    EXPECT_EQ(form->exitCode(), 3);

    other.disconnect();
    form->btnAktualizujClick();
    EXPECT_EQ(runner->calls.size(), 2u);
    EXPECT_EQ(serverInt("select dbver from t_program"), 33);
    EXPECT_EQ(form->exitCode(), 0);
}

TEST_F(UpdateRunTest, AFailedBackupLeavesTheDatabaseAloneAndRunsNothing) {
    createVersioned(3);
    pick();
    ASSERT_TRUE(view.start);
    // The backup tool cannot write its file where a folder of that name stands.
    ASSERT_TRUE(QDir().mkpath(backupPath()));
    form->btnAktualizujClick();

    const QStringList& log = view.log.lines();
    ASSERT_EQ(log.size(), 2) << log.join('\n').toStdString();
    EXPECT_EQ(log.at(0), "Rozpoczynam wykonanie kopii bezpieczestwa ...");
    const QRegularExpression failed("^Kopia bezpieczeństwa nie powiodła się \\(kod: [1-9]\\d*\\) - baza danych nie "
                                    "została zmieniona\\.$");
    EXPECT_TRUE(failed.match(log.at(1)).hasMatch()) << log.at(1).toStdString();
    EXPECT_EQ(view.dialogs, std::vector<ShownDialog>({{Kind::Plain, log.at(1)}}));
    EXPECT_EQ(runLogBytes(), expectedRunLog());
    EXPECT_TRUE(checkedEntries().isEmpty());
    EXPECT_TRUE(view.close);
    EXPECT_TRUE(view.start) << "Start keeps its state after a run that was cut short";
    EXPECT_EQ(view.currentCursor, Cursor::Normal);
    EXPECT_EQ(form->exitCode(), 3);
    EXPECT_EQ(serverInt("select dbver from t_program"), 3);
    EXPECT_EQ(serverInt("select count(*) from t_log"), 0);
}

TEST_F(UpdateRunTest, AFailedRestoreNamesTheBackupAndRunsNoScript) {
    createVersioned(3);
    pick();
    // The real tool makes the backup; its restore is reported as failed with exit code 1.
    runner->replace = [](std::size_t call) -> std::optional<RunResult> {
        if (call == 0)
            return std::nullopt;
        RunResult failed;
        failed.started = failed.finished = true;
        failed.exitCode = 1;
        return failed;
    };
    form->btnAktualizujClick();

    const QString text =
        "Odtwarzanie z kopii bezpieczeństwa nie powiodło się (kod: 1). Kopia bezpieczeństwa: " + backupPath();
    EXPECT_EQ(view.log.lines().last(), text);
    EXPECT_EQ(view.dialogs, std::vector<ShownDialog>({{Kind::Plain, text}}));
    EXPECT_GT(QFileInfo(backupPath()).size(), 0);
    EXPECT_EQ(runLogBytes(), expectedRunLog());
    EXPECT_FALSE(view.log.lines().join('\n').contains("Przetwarzanie"));
    EXPECT_TRUE(view.close);
    EXPECT_EQ(view.currentCursor, Cursor::Normal);
    EXPECT_EQ(form->exitCode(), 3);
    EXPECT_EQ(serverInt("select dbver from t_program"), 3);
}

TEST_F(UpdateRunTest, AWaitGivenUpBecauseTheProgramEndsGoesNoFurther) {
    createVersioned(3);
    pick();
    runner->replace = [](std::size_t) -> std::optional<RunResult> {
        RunResult abandoned;
        abandoned.started = true;
        return abandoned;
    };
    form->btnAktualizujClick();

    EXPECT_EQ(runner->calls.size(), 1u);
    EXPECT_FALSE(view.log.lines().join('\n').contains("Odtwarzanie"));
    EXPECT_TRUE(view.close);
    EXPECT_EQ(form->exitCode(), 3);
    EXPECT_EQ(serverInt("select dbver from t_program"), 3);
}

// The version gate: which versions open the list for their folder and enable Start.
struct VersionCase {
    int version; // -1: no t_program table at all
    bool accepted;
    QString listed; // the version folder's script, when accepted
};

void PrintTo(const VersionCase& c, std::ostream* out) {
    *out << "version " << c.version;
}

class VersionGateTest : public UpdateRunTest, public testing::WithParamInterface<VersionCase> {};

TEST_P(VersionGateTest, AcceptsOnlyOneThreeAndFive) {
    const VersionCase& c = GetParam();
    if (c.version < 0)
        createServerDatabase(databasePath(), {"CREATE TABLE t_log (s VARCHAR(20))"});
    else
        createVersioned(c.version);
    show({kServer, QString(), QStringLiteral("SYSDBA"), kAdminPassword});
    // An earlier accepted pick left Start on; a refused pick must not keep it.
    view.start = true;
    view.openDialogAnswers.push_back(databasePath());
    view.journal.clear();
    form->cxtxtNowaBazaPropertiesButtonClick();

    const QString versionLine = QStringLiteral("Wersja bazy danych:%1").arg(c.version);
    EXPECT_TRUE(view.log.lines().contains(versionLine)) << view.log.lines().join('\n').toStdString();
    EXPECT_EQ(view.start, c.accepted);
    if (c.accepted) {
        EXPECT_EQ(view.pathText, databasePath());
        ASSERT_EQ(view.scripts.count(), 3);
        EXPECT_EQ(view.scripts.entry(0).displayText(), c.listed);
        EXPECT_EQ(view.scripts.entry(1).displayText(), "20_ADR");
        EXPECT_EQ(view.scripts.entry(2).displayText(), "30_WSPOLNY");
    } else {
        // The refusal comes first, then its log line. A missing t_program table matches none of the
        // messages of the error translation, so the refusal is the only dialog in every case.
        ASSERT_GE(view.journal.size(), 2);
        EXPECT_EQ(view.journal.mid(view.journal.size() - 2),
                  QStringList({"plain Tej wersji bazy nie możesz aktualizować", "log " + versionLine}));
        EXPECT_EQ(view.dialogs.size(), 1u);
        EXPECT_EQ(view.pathText, ">>> Wczytaj plik bazy <<<");
        EXPECT_EQ(view.scripts.count(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionGateTest,
                         testing::Values(VersionCase{1, true, "10_JEDEN"}, VersionCase{3, true, "10_TRZY"},
                                         VersionCase{5, true, "10_PIEC"}, VersionCase{0, false, {}},
                                         VersionCase{2, false, {}}, VersionCase{-1, false, {}}));

TEST_F(UpdateRunTest, CancellingTheDialogChangesNothing) {
    createVersioned(3);
    pick();
    ASSERT_TRUE(view.start);
    const QStringList logBefore = view.log.lines();
    view.openDialogAnswers.push_back(std::nullopt);
    form->cxtxtNowaBazaPropertiesButtonClick();
    EXPECT_EQ(view.openDialogs, 2);
    EXPECT_TRUE(view.start);
    EXPECT_EQ(view.log.lines(), logBefore);
    EXPECT_EQ(view.scripts.count(), 3);
}

TEST_F(UpdateRunTest, APickThatCannotConnectSaysSoAndDisablesStart) {
    createVersioned(3);
    pick();
    ASSERT_TRUE(view.start);
    const QString missing = data.path() + QStringLiteral("/brak.fdb");
    view.openDialogAnswers.push_back(missing);
    view.journal.clear();
    form->cxtxtNowaBazaPropertiesButtonClick();
    // The connection's own message and error text come first, then the choice's message.
    ASSERT_EQ(view.journal.size(), 4) << view.journal.join('\n').toStdString();
    EXPECT_EQ(view.journal[0], "log Podłączanie do bazy: " + kServer + ":" + missing);
    EXPECT_EQ(view.journal[1], "plain Nie można nawiązać połączenia z serwerem bazy danych!. Skontaktuj się z "
                               "dostawcą oprogramowania.");
    EXPECT_TRUE(view.journal[2].startsWith("log ")) << view.journal[2].toStdString();
    EXPECT_EQ(view.journal[3], "plain Nie można połączyć z: " + missing);
    EXPECT_FALSE(view.start);
}

// The error flag of an earlier failure is cleared by a new pick only: a cancelled dialog keeps it, and the
// next run skips every script.
struct FlagCase : NamedCase {
    bool cancel;
    bool skipped;
};

class ErrorFlagTest : public UpdateRunTest, public testing::WithParamInterface<FlagCase> {};

TEST_P(ErrorFlagTest, OnlyANewPickClearsIt) {
    const FlagCase& c = GetParam();
    createVersioned(3);
    pick();
    ASSERT_TRUE(view.start);
    bool ignore = true;
    form->skryptExecuteError(QStringLiteral("błąd"), QStringLiteral("INSERT"), 1, ignore);
    EXPECT_FALSE(ignore);
    if (c.cancel)
        view.openDialogAnswers.push_back(std::nullopt);
    else
        view.openDialogAnswers.push_back(databasePath());
    form->cxtxtNowaBazaPropertiesButtonClick();
    ASSERT_TRUE(view.start);
    view.dialogs.clear();
    form->btnAktualizujClick();

    const QString skip = QStringLiteral("Wystąpił błąd - niezgodna struktura bazy danych - pomijam wykonanie:");
    for (const char* entry : {"10_TRZY", "20_ADR", "30_WSPOLNY"})
        EXPECT_EQ(view.log.lines().contains(skip + entry), c.skipped) << entry;
    EXPECT_EQ(view.dialogs, std::vector<ShownDialog>({c.skipped ? ShownDialog{Kind::Notice, kNotice}
                                                                : ShownDialog{Kind::Plain, "Aktualizacja zakoczona"}}));
    EXPECT_EQ(serverInt("select dbver from t_program"), c.skipped ? 3 : 33);
}

INSTANTIATE_TEST_SUITE_P(Cases, ErrorFlagTest,
                         testing::Values(FlagCase{"CancelledDialogKeepsIt", true, true},
                                         FlagCase{"NewPickClearsIt", false, false}),
                         CaseName{});

} // namespace
} // namespace akt::test
