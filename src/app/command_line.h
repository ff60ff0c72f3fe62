#pragma once

#include <QString>
#include <QStringList>

namespace akt {

// The six positional arguments the window reads when first shown. Installers start the program
// in create mode with all of them, so each is read exactly as documented in the README.
struct CommandLine {
    QString serwer;          // 1, blanks around it removed; empty means a local database file
    QString baza;            // 2, verbatim
    QString user;            // 3, verbatim
    QString pass;            // 4, verbatim
    bool createMode = false; // 5, "T" in either letter case
    QString addcatalog;      // 6, blanks around it removed; a prefix of script paths
};

// arguments: the command line without the program name. Missing arguments read as empty,
// extra ones are ignored.
CommandLine parseCommandLine(const QStringList& arguments);

// Removes leading and trailing blanks and control characters.
QString trimBlanks(const QString& text);

} // namespace akt
