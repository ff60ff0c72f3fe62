#pragma once

#include "app/main_window_events.h"
#include "app/main_window_view.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace akt {

// The main window's state and handlers. It reaches the controls only through MainWindowView.
class TFRM_aktualizacja : public MainWindowEvents {
public:
    // programFolder ends with a separator; arguments come without the program name.
    TFRM_aktualizacja(MainWindowView& view, QString programFolder, QStringList arguments);

    void FormCreate();
    void FormShow() override;
    void tmrPrzetwarzanieTimer() override;
    void btnAktualizujClick() override;
    void btnzakonczClick() override;
    void cxtxtNowaBazaPropertiesButtonClick() override;

    // Adds the scripts matching directory + "*.SQL" to the list; when any were found, the
    // progress maximum becomes the number of entries in the list.
    void FillScriptList(const QString& directory);

    // The update run.
    virtual void aktualizuj(const QString& serwer, const QString& baza, const QString& user, const QString& pass);

    virtual ~TFRM_aktualizacja() = default;

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
    bool stop = false;
    std::int32_t progres = 0;
};

} // namespace akt
