#include "app/aktualizacja_unit.h"

#include "app/command_line.h"
#include "app/script_folders.h"
#include "update/catalogue/add_matching_scripts.h"
#include "update/catalogue/script_list.h"
#include "update/executor/script_executor.h"

#include <QDir>

#include <utility>

namespace akt {

TFRM_aktualizacja::TFRM_aktualizacja(MainWindowView& view, QString programFolder, QStringList arguments,
                                     const ClientLibrary& library)
    : view(view), programFolder(std::move(programFolder)), arguments(std::move(arguments)), IBDatabase(library),
      skrypt(std::make_unique<TScriptExecutor>(IBDatabase)), runner_(std::make_unique<QProcessRunner>(view)),
      clock_(std::make_unique<SystemClock>()) {
    skrypt->onStatementDone = [this](StatementKind kind, const QString& text) { skryptParse(kind, text); };
    skrypt->onParseError = [this](const QString& error, const QString& text, int lineIndex) {
        skryptParseError(error, text, lineIndex);
    };
    skrypt->onExecuteError = [this](const QString& error, const QString& text, int lineIndex, bool& ignore) {
        skryptExecuteError(error, text, lineIndex, ignore);
    };
}

// The executor is released before the connection it runs on.
TFRM_aktualizacja::~TFRM_aktualizacja() = default;

void TFRM_aktualizacja::FormCreate() {
    stop = false;
}

void TFRM_aktualizacja::FormShow() {
    const CommandLine line = parseCommandLine(arguments);
    serwer = line.serwer;
    baza = line.baza;
    user = line.user;
    pass = line.pass;
    addcatalog = line.addcatalog;
    view.setMakeDatabaseChecked(line.createMode);

    const bool createMode = view.makeDatabaseChecked();
    if (createMode) {
        // The blank stays even without a server, so the box always reads "server path".
        view.setPathText(serwer + QLatin1Char(' ') + baza);
        for (const QString& sub : createModeFolders())
            FillScriptList(scriptFolder(sub));
        if (!addcatalog.isEmpty())
            FillScriptList(addcatalog);
    } else {
        view.setPathText(QStringLiteral(">>> Wczytaj plik bazy <<<"));
        view.setPathEnabled(true);
    }
    view.setTimerEnabled(createMode);
}

void TFRM_aktualizacja::tmrPrzetwarzanieTimer() {
    // The run pumps messages for far longer than the interval; a timer still armed would start
    // it again from inside itself.
    view.setTimerEnabled(false);
    aktualizuj(serwer, baza, user, pass);
}

void TFRM_aktualizacja::btnAktualizujClick() {
    aktualizuj(serwer, baza, user, pass);
}

void TFRM_aktualizacja::btnzakonczClick() {
    view.closeWindow();
}

void TFRM_aktualizacja::FillScriptList(const QString& directory) {
    if (addMatchingScripts(view.scriptList(), directory) > 0)
        view.setProgressMaximum(view.scriptList().count());
}

int TFRM_aktualizacja::exitCode() const {
    return exitCodeFor(outcome_, view.makeDatabaseChecked());
}

QString TFRM_aktualizacja::scriptFolder(const QString& sub) const {
    const QString separator = QDir::separator();
    QString folder = programFolder + QStringLiteral("DBSRC") + separator;
    if (!sub.isEmpty())
        folder += sub + separator;
    return folder;
}

} // namespace akt
