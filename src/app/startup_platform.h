#pragma once

#include <QStringList>

namespace akt {

// How the program can show itself on this machine, decided before the application object exists.
enum class StartupPlatform {
    Display,   // a display (or a platform the caller chose with QT_QPA_PLATFORM) is there
    Offscreen, // no display, create mode: the run needs nobody, so it goes on without a screen
    NoDisplay, // no display, update mode: the user has to pick a database; nothing can be done
};

// arguments: the command line without the program name. environment: reads one variable.
StartupPlatform chooseStartupPlatform(const QStringList& arguments, QByteArray (*environment)(const char*));

// Printed on standard error when update mode is started without a display.
QString noDisplayText();

} // namespace akt
