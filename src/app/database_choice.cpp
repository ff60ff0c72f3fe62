// Picking the database to update: connect, read its schema version, and list the scripts made for it.
#include "app/aktualizacja_unit.h"

#include "app/script_folders.h"
#include "support/error_text.h"
#include "update/catalogue/script_list.h"
#include "update/database/database_session.h"

#include <exception>

namespace akt {

void TFRM_aktualizacja::cxtxtNowaBazaPropertiesButtonClick() {
    // The list must not be rebuilt under a running loop.
    if (running())
        return;
    if (!view.executeOpenDialog())
        return;
    stop = false;
    baza = view.openDialogFileName();

    bool connected = false;
    try {
        connected = ConnectDatabase(IBDatabase, view, serwer, baza, user, pass);
    } catch (const std::exception& error) {
        // Closing the previous database's connection failed; the new one was never tried.
        view.appendLog(errorText(error));
    }
    if (!connected) {
        view.plainMessage(QStringLiteral("Nie można połączyć z: ") + baza);
        // Start would otherwise update this path with the list of an earlier choice.
        view.setStartEnabled(false);
        return;
    }

    const int version = GetDBVersion(IBDatabase, view);
    const QString versionLine = QStringLiteral("Wersja bazy danych:") + QString::number(version);
    if (!acceptedVersion(version)) {
        view.plainMessage(QStringLiteral("Tej wersji bazy nie możesz aktualizować"));
        view.appendLog(versionLine);
        view.setStartEnabled(false);
        return;
    }
    view.appendLog(versionLine);
    view.setPathText(baza);
    view.scriptList().clear();
    for (const QString& sub : updateModeFolders(version))
        FillScriptList(scriptFolder(sub));
    view.setStartEnabled(true);
}

} // namespace akt
