// The update run `aktualizuj`: create the database, or back it up and restore it over itself, then run
// every listed script in list order and save the log.
#include "app/aktualizacja_unit.h"

#include "app/backup_tool.h"
#include "support/error_text.h"
#include "update/catalogue/script_list.h"
#include "update/database/database_session.h"
#include "update/database/other_attachments.h"
#include "update/executor/script_executor.h"
#include "update/firebird/database_error.h"
#include "update/firebird/transaction.h"
#include "update/parser/script_file.h"

#include <QFile>
#include <QFileInfo>

#include <exception>

namespace akt {
namespace {

const QString kRunFailed = QStringLiteral("Błąd wykonania skryptu. Przerywam działanie.");
const QString kReturnQuestion =
    QStringLiteral("Przywrócić bazę danych z kopii bezpieczeństwa wykonanej przed aktualizacją?");
const QString kReturned = QStringLiteral("Baza danych przywrócona z kopii bezpieczeństwa.");

} // namespace

void TFRM_aktualizacja::aktualizuj(const QString& serwer, const QString& baza, const QString& user,
                                   const QString& pass) {
    // The window pumps messages during a run: a second start would run inside the first.
    if (running())
        return;
    outcome_ = RunOutcome::Running;
    scriptStoppedEarly_ = false;
    const bool startWasEnabled = view.startEnabled();
    // Start and the path box's button stay off for the run: the loop walks the list as it was when
    // the run began, and a new database choice would rebuild it underneath.
    view.setStartEnabled(false);
    view.setPathEnabled(false);

    view.clearLog();
    view.setCloseEnabled(false);
    RunOutcome outcome = RunOutcome::CutShort;
    const RunValues run{serwer, baza, user, pass};
    try {
        outcome = runSteps(run);
    } catch (const std::exception& error) {
        handleRunError(errorText(error));
    } catch (...) {
        handleRunError(QStringLiteral("Nieznany błąd"));
    }
    endRun(outcome, startWasEnabled, run);
}

RunOutcome TFRM_aktualizacja::runSteps(const RunValues& run) {
    const bool createMode = view.makeDatabaseChecked();
    if (createMode ? !createDatabase(run) : (databaseInUse() || !backUpAndRestore(run))) {
        endCutShort();
        return RunOutcome::CutShort;
    }
    if (!ConnectDatabase(IBDatabase, view, run.serwer, run.baza, run.user, pass)) {
        endCutShort();
        return RunOutcome::CutShort;
    }

    ScriptList& list = view.scriptList();
    const int count = list.count();
    bool interrupted = false;
    for (int index = 0; index < count && !interrupted; ++index) {
        runScript(list.entry(index));
        interrupted = view.terminating();
    }

    if (interrupted)
        rollBackInterruptedWork();
    else
        commitRemainingWork();
    DisconnectDatabase(IBDatabase);
    view.appendLog(QStringLiteral("Baza odłączona"));
    view.saveLog(runLogFile());
    if (interrupted)
        return RunOutcome::CutShort;
    return scriptStoppedEarly_ ? RunOutcome::ScriptStopped : RunOutcome::Complete;
}

// Disconnecting would commit what the last scripts left open, but it cannot say when that fails: the
// engine refuses a commit (a commit trigger, a full disk) and the rows are gone. Committing here first
// lets the run report it like a failed statement.
void TFRM_aktualizacja::commitRemainingWork() {
    Transaction& transaction = IBDatabase.defaultTransaction();
    try {
        transaction.commit();
    } catch (const DatabaseError& error) {
        rollBackQuietly(transaction);
        stop = true;
        scriptStoppedEarly_ = true;
        view.appendLog(QStringLiteral("Nie udało się zatwierdzić zmian na końcu przetwarzania - zmiany jeszcze "
                                      "niezatwierdzone zostały wycofane:"));
        view.appendLog(errorText(error));
        view.setLogRed();
    }
}

// The program is asked to end in the middle of the scripts: nothing the unfinished script left open is
// committed, and the log says so.
void TFRM_aktualizacja::rollBackInterruptedWork() {
    view.appendLog(QStringLiteral("Przerwano na żądanie zakończenia programu - zmiany jeszcze niezatwierdzone "
                                  "zostały wycofane"));
    // A cancel request sent to stop a long statement may still be pending on the attachment and fail
    // the first call; disconnecting would commit a transaction left active.
    Transaction& transaction = IBDatabase.defaultTransaction();
    rollBackQuietly(transaction);
    rollBackQuietly(transaction);
}

void TFRM_aktualizacja::rollBackQuietly(Transaction& transaction) {
    try {
        transaction.rollback();
    } catch (const DatabaseError&) {
        // Disconnecting ends the transaction in any case; the error that matters has been logged.
    }
}

bool TFRM_aktualizacja::createDatabase(const RunValues& run) {
    view.appendLog(QStringLiteral("Tworzenie bazy: ") + run.serwer + QLatin1Char(':') + run.baza);
    // Only a local file is ours to look at; on a server the path is the server's.
    const bool localFile = run.serwer.trimmed().isEmpty();
    const QFileInfo file(run.baza);
    const bool existedBefore = localFile && (file.exists() || file.isSymLink());
    if (DataBaseCreate(IBDatabase, view, Connection::targetFor(run.serwer, run.baza), run.user, run.pass))
        return true;
    // A creation that failed half way (a full disk) leaves a file the next attempt would refuse to overwrite.
    if (localFile && !existedBefore && QFileInfo::exists(run.baza)) {
        if (QFile::remove(run.baza))
            view.appendLog(QStringLiteral("Usunięto niedokończony plik bazy: ") + run.baza);
        else
            view.appendLog(QStringLiteral("Nie usunięto niedokończonego pliku bazy: ") + run.baza);
    }
    return false;
}

// A restore over a database that others hold open fails, after the backup and with an alarming text; the
// choice of the database left this connection open, so the others can be counted first.
bool TFRM_aktualizacja::databaseInUse() {
    int others = 0;
    try {
        others = otherAttachments(IBDatabase);
    } catch (const std::exception& error) {
        // Without the count the run goes on; the restore still fails on its own if the database is held.
        view.appendLog(errorText(error));
        return false;
    }
    if (others == 0)
        return false;
    const QString text = QStringLiteral("Baza danych jest używana przez inne połączenia (%1). Zamknij programy "
                                        "korzystające z bazy i spróbuj ponownie.")
                             .arg(others);
    view.appendLog(text);
    view.plainMessage(text);
    return true;
}

bool TFRM_aktualizacja::backUpAndRestore(const RunValues& run) {
    // The database choice left the connection open; the backup tool opens the file itself.
    DisconnectDatabase(IBDatabase);
    nazwakopii = backupFileName(programFolder, clock_->now());
    const QString backupTool = locateBackupTool(programFolder);
    if (!backUp(backupTool, run))
        return false;
    if (!restore(backupTool, run))
        return false;
    view.appendLog(QStringLiteral("Kopia Odtworzona - ") + nazwakopii);
    view.appendLog(QString(59, QLatin1Char('+')));
    return true;
}

bool TFRM_aktualizacja::backUp(const QString& backupTool, const RunValues& run) {
    view.appendLog(QStringLiteral("Rozpoczynam wykonanie kopii bezpieczestwa ..."));
    const RunResult result = runner_->run(backupTool, backupParameters(run.baza, nazwakopii));
    // A copy the restore could not rely on ends the run here, before the database is touched.
    if (!backupSucceeded(result, nazwakopii)) {
        const QString text = QStringLiteral("Kopia bezpieczeństwa nie powiodła się (kod: %1) - baza danych nie "
                                            "została zmieniona.")
                                 .arg(shownExitCode(result));
        view.appendLog(text);
        // When the application is ending there is nobody left to answer a dialog.
        if (!view.terminating())
            view.plainMessage(text);
        return false;
    }
    view.appendLog(QStringLiteral("Kopia zapisana - ") + nazwakopii);
    return true;
}

bool TFRM_aktualizacja::restore(const QString& backupTool, const RunValues& run) {
    view.appendLog(QStringLiteral("Rozpoczynam Odtwarzanie z kopi bezpieczestwa ..."));
    QString failure;
    if (restoreOver(backupTool, run, failure))
        return true;
    if (!failure.isEmpty())
        view.plainMessage(failure);
    return false;
}

// The backup tool's restore of this run's backup over the database. On failure `failure` holds the text
// that was logged, or stays empty when the user has been told already (the tool did not start) or the
// program is ending (the restore was left to finish).
bool TFRM_aktualizacja::restoreOver(const QString& backupTool, const RunValues& run, QString& failure) {
    // Nothing should hold the file while the restore replaces it.
    DisconnectDatabase(IBDatabase);
    const RunResult result = runner_->run(backupTool, restoreParameters(nazwakopii, run.baza));
    // Not finished: the application is ending while the restore still runs; the runner lets it finish,
    // and no script may run against a database that is still being written.
    if (!result.started || !result.finished)
        return false;
    if (!restoreSucceeded(result)) {
        failure =
            QStringLiteral("Odtwarzanie z kopii bezpieczeństwa nie powiodło się (kod: %1). Kopia bezpieczeństwa: ")
                .arg(shownExitCode(result)) +
            nazwakopii;
        view.appendLog(failure);
        return false;
    }
    return true;
}

// After a failed update the backup of this run is the way back. Asked only after the notice, so a user who
// answers No is where he always was.
void TFRM_aktualizacja::offerReturnToBackup(const RunValues& run) {
    if (nazwakopii.isEmpty() || view.terminating() || !view.askYesNo(kReturnQuestion))
        return;
    view.appendLog(QStringLiteral("Przywracanie bazy danych z kopii bezpieczeństwa: ") + nazwakopii);
    view.setCursor(Cursor::DatabaseBusy);
    QString failure;
    const bool returned = restoreOver(locateBackupTool(programFolder), run, failure);
    if (returned)
        view.appendLog(kReturned);
    view.setCursor(Cursor::Normal);
    saveRunLog();
    if (returned)
        view.plainMessage(kReturned);
    else if (!failure.isEmpty())
        view.plainMessage(failure);
}

void TFRM_aktualizacja::runScript(ScriptEntry& entry) {
    ScriptList& list = view.scriptList();
    const QString text = entry.displayText();
    const QByteArray path = entry.object() ? entry.object()->nativePath : QByteArray();
    ScriptLines lines = loadScriptFile(path.toStdString());
    const std::size_t lineCount = lines.size();
    skrypt->setScript(std::move(lines));
    view.appendLog(QStringLiteral("Przetwarzanie... ") + text);
    view.setProgressMaximum(static_cast<double>(lineCount) - 1);
    progres = 1;
    view.repaintProgress();

    view.setCursor(Cursor::DatabaseBusy);
    if (stop) {
        scriptStoppedEarly_ = true;
        view.appendLog(QStringLiteral("Wystąpił błąd - niezgodna struktura bazy danych - pomijam wykonanie:") + text);
    } else {
        skrypt->run();
    }
    view.setCursor(Cursor::Normal);
    view.appendLog(QStringLiteral("Przetwarzanie zakoczone: ") + text);
    list.setChecked(entry, true);
    view.pump();
}

// Every run that ends early leaves its own log in log.txt, so the file never shows an earlier run
// instead of the failed one; Close and the cursor come back even when the log cannot be written.
void TFRM_aktualizacja::endCutShort() {
    saveRunLog();
    view.setCloseEnabled(true);
    view.setCursor(Cursor::Normal);
}

void TFRM_aktualizacja::saveRunLog() {
    try {
        view.saveLog(runLogFile());
    } catch (const std::exception& error) {
        const QString text = QStringLiteral("Nie zapisano przebiegu wykonania: ") + errorText(error);
        view.appendLog(text);
        view.plainMessage(text);
    }
}

void TFRM_aktualizacja::handleRunError(const QString& message) {
    view.errorDialog(kRunFailed);
    view.appendLog(message);
    endCutShort();
}

void TFRM_aktualizacja::endRun(RunOutcome outcome, bool startWasEnabled, const RunValues& run) {
    outcome_ = outcome;
    const bool createMode = view.makeDatabaseChecked();
    // In update mode the path box is usable whenever no run is active; create mode never offers it.
    view.setPathEnabled(!createMode);
    if (outcome == RunOutcome::CutShort) {
        view.setStartEnabled(startWasEnabled);
        // Without a display the window waits for a Close nobody can press; the installer that
        // started the run learns of the failure from the exit code and standard error instead. A run
        // ended by a request to end the program ends the program too.
        if ((createMode && view.unattended()) || view.terminating())
            view.closeWindow();
        return;
    }
    if (createMode) {
        view.closeWindow();
        return;
    }
    if (stop) {
        view.noticeDialog(QStringLiteral("Program automatycznie nie mógł wykonać konwersji danych ze starej bazy.\r\n"
                                         "Proszę o kontakt z firmą Wendaphor w celu aktualizacji bazy danych do "
                                         "najnowszej struktury."));
        offerReturnToBackup(run);
    } else
        view.plainMessage(QStringLiteral("Aktualizacja zakoczona"));
    view.setCloseEnabled(true);
    view.setStartEnabled(false);
}

QString TFRM_aktualizacja::runLogFile() const {
    return programFolder + QStringLiteral("log.txt");
}

} // namespace akt
