#include "app/startup_platform.h"

#include "app/command_line.h"

namespace akt {

StartupPlatform chooseStartupPlatform(const QStringList& arguments, QByteArray (*environment)(const char*)) {
    if (!environment("QT_QPA_PLATFORM").isEmpty() || !environment("DISPLAY").isEmpty() ||
        !environment("WAYLAND_DISPLAY").isEmpty())
        return StartupPlatform::Display;
    return parseCommandLine(arguments).createMode ? StartupPlatform::Offscreen : StartupPlatform::NoDisplay;
}

QString noDisplayText() {
    return QStringLiteral(
        "aktualizacja: brak ekranu - aktualizacja wymaga wyboru pliku bazy w oknie programu; bez ekranu "
        "działa tylko tworzenie bazy (piąty argument T).\n"
        "aktualizacja: no display - update mode needs its window to pick the database; without a "
        "display only create mode (fifth argument T) runs.");
}

} // namespace akt
