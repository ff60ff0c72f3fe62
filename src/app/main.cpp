#include "app/aktualizacja_unit.h"
#include "app/main_window.h"

#include <QApplication>
#include <QDir>

namespace {

// The Firebird client library must be loaded before the window is shown: without it the program
// shows the error box and ends with exit code 1, never showing its window. The database layer
// brings the loader; until it is part of the program there is nothing to load here.
bool loadClientLibrary() {
    return true;
}

QString programFolder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator();
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (!loadClientLibrary())
        return 1;

    akt::MainWindow window;
    akt::TFRM_aktualizacja form(window, programFolder(), QCoreApplication::arguments().mid(1));
    window.setEvents(&form);
    form.FormCreate();
    window.show();
    application.exec();
    // The program always ends by closing its window.
    return 0;
}
