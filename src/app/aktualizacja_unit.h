#pragma once

#include "app/main_window_events.h"
#include "app/main_window_view.h"
#include "app/run_outcome.h"
#include "support/clock.h"
#include "support/program_runner.h"
#include "update/firebird/connection.h"
#include "update/parser/parse_result.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

namespace akt {

class ClientLibrary;
class ScriptEntry;
class TScriptExecutor;
class Transaction;

// The main window's state and handlers. It reaches the controls only through MainWindowView. It owns
// the database connection `IBDatabase` (with its default transaction `tranzakcja`) and the script
// executor `skrypt` bound to both; the client library they use must outlive the window.
//
// Where the handlers live:
//   aktualizacja_unit.cpp  FormCreate, FormShow (command line, unattended start), tmrPrzetwarzanieTimer,
//                          btnAktualizujClick, btnzakonczClick, FillScriptList, exitCode
//   database_choice.cpp    cxtxtNowaBazaPropertiesButtonClick (the path box's button: choose, connect, list)
//   update_run.cpp         aktualizuj and its steps: create or back up and restore, run every script, end
//   script_events.cpp      skryptParse, skryptParseError, skryptExecuteError (the executor's events)
class TFRM_aktualizacja : public MainWindowEvents {
public:
    // programFolder ends with a separator; arguments come without the program name.
    TFRM_aktualizacja(MainWindowView& view, QString programFolder, QStringList arguments, const ClientLibrary& library);
    ~TFRM_aktualizacja() override;

    TFRM_aktualizacja(const TFRM_aktualizacja&) = delete;
    TFRM_aktualizacja& operator=(const TFRM_aktualizacja&) = delete;

    void FormCreate();
    void FormShow() override;
    void tmrPrzetwarzanieTimer() override;
    void btnAktualizujClick() override;
    void btnzakonczClick() override;
    void cxtxtNowaBazaPropertiesButtonClick() override;

    // Adds the scripts matching directory + "*.SQL" to the list; when any were found, the
    // progress maximum becomes the number of entries in the list.
    void FillScriptList(const QString& directory);

    // The update run: create (or back up and restore) the database, then run every listed script.
    // A request while a run is active is ignored.
    virtual void aktualizuj(const QString& serwer, const QString& baza, const QString& user, const QString& pass);

    // The executor's events. skryptParse is called after a statement ran without error (not when one
    // was parsed): it advances the progress and stops the script when the window is ending.
    void skryptParse(StatementKind kind, const QString& text);
    void skryptParseError(const QString& error, const QString& text, int lineIndex);
    void skryptExecuteError(const QString& error, const QString& text, int lineIndex, bool& ignore);

    // Makes the engine call the window's thread is waiting in fail; the one member another thread may call.
    void cancelRunningCall() const noexcept { IBDatabase.cancelRunningCall(); }

    // What the process should end with, see RunOutcome.
    int exitCode() const;
    bool running() const { return outcome_ == RunOutcome::Running; }

    // Seams: the backup tool's runner (a QProcessRunner on the view by default) and the clock that
    // names the backup file.
    void setProgramRunner(std::unique_ptr<ProgramRunner> runner) { runner_ = std::move(runner); }
    void setClock(std::unique_ptr<Clock> clock) { clock_ = std::move(clock); }

protected:
    // programFolder + "DBSRC" + separator + sub + separator (no sub: the DBSRC folder itself).
    QString scriptFolder(const QString& sub = QString()) const;

    MainWindowView& view;
    const QString programFolder;
    const QStringList arguments;

    QString serwer;
    QString baza;
    QString user;
    QString pass;
    QString addcatalog;
    // The run's error flag, not a request: a step failed, so later scripts are skipped and the run ends with
    // the notice instead of "Aktualizacja zakoczona".
    bool stop = false;
    std::int32_t progres = 0;
    QString nazwakopii;

private:
    // The four values a run was started with.
    struct RunValues {
        QString serwer;
        QString baza;
        QString user;
        QString pass;
    };

    // The steps under the run's error guard. Steps that end the run early say so by their result
    // (after telling the user); errors nobody handled are thrown to the guard.
    RunOutcome runSteps(const RunValues& run);
    bool createDatabase(const RunValues& run);
    bool backUpAndRestore(const RunValues& run);
    bool databaseInUse();
    bool backUp(const QString& backupTool, const RunValues& run);
    bool restore(const QString& backupTool, const RunValues& run);
    bool restoreOver(const QString& backupTool, const RunValues& run, QString& failure);
    void offerReturnToBackup(const RunValues& run);
    void runScript(ScriptEntry& entry);
    void commitRemainingWork();
    void rollBackInterruptedWork();
    static void rollBackQuietly(Transaction& transaction);
    void endCutShort();
    void saveRunLog();
    void handleRunError(const QString& message);
    void endRun(RunOutcome outcome, bool startWasEnabled, const RunValues& run);
    QString runLogFile() const;

    Connection IBDatabase;
    std::unique_ptr<TScriptExecutor> skrypt;
    std::unique_ptr<ProgramRunner> runner_;
    std::unique_ptr<Clock> clock_;
    RunOutcome outcome_ = RunOutcome::None;
    // A script of the current run that did not run to its end: failed, unreadable or skipped.
    bool scriptStoppedEarly_ = false;
};

} // namespace akt
