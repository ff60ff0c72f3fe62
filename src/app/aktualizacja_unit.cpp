#include "app/aktualizacja_unit.h"

#include "app/command_line.h"
#include "update/catalogue/fill_script_list.h"
#include "update/catalogue/script_list.h"

#include <QDir>

#include <utility>

namespace akt {

TFRM_aktualizacja::TFRM_aktualizacja(MainWindowView& view, QString programFolder, QStringList arguments)
    : view(view), programFolder(std::move(programFolder)), arguments(std::move(arguments)) {}

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
    } else {
        view.setPathText(QStringLiteral(">>> Wczytaj plik bazy <<<"));
        view.setPathEnabled(true);
    }

    if (createMode) {
        FillScriptList(scriptFolder());
        FillScriptList(scriptFolder(QStringLiteral("0")));
        FillScriptList(scriptFolder(QStringLiteral("5")));
        FillScriptList(scriptFolder(QStringLiteral("ADR")));
        if (!addcatalog.isEmpty())
            FillScriptList(addcatalog);
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

void TFRM_aktualizacja::cxtxtNowaBazaPropertiesButtonClick() {
    // Picking the database to update belongs to the database selection, which builds on the
    // connection; without it the button has nothing to do.
}

void TFRM_aktualizacja::FillScriptList(const QString& directory) {
    if (fillScriptList(view.scriptList(), directory) > 0)
        view.setProgressMaximum(view.scriptList().count());
}

void TFRM_aktualizacja::aktualizuj(const QString& serwer, const QString& baza, const QString& user,
                                   const QString& pass) {
    // The update run fills this in: create or back up and restore the database, then run every
    // listed script. Until then a start leaves the window as it is.
    Q_UNUSED(serwer);
    Q_UNUSED(baza);
    Q_UNUSED(user);
    Q_UNUSED(pass);
}

QString TFRM_aktualizacja::scriptFolder(const QString& sub) const {
    const QString separator = QDir::separator();
    QString folder = programFolder + QStringLiteral("DBSRC") + separator;
    if (!sub.isEmpty())
        folder += sub + separator;
    return folder;
}

} // namespace akt
