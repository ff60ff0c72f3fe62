#pragma once

#include <QString>

namespace akt {

// The caption of the program's own message dialogs, taken from the executable's file name: the
// name up to its first ".", first letter upper case, the rest lower case ("aktualizacja" and
// "AKTUALIZACJA.EXE" both give "Aktualizacja").
QString applicationTitle(const QString& executableFileName);

} // namespace akt
