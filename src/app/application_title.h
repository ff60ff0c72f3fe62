#pragma once

#include <QString>

namespace akt {

// The caption of the program's own message dialogs, taken from the executable's file name: the
// name up to its first ".", its first letter kept as it is, the rest lower case ("aktualizacja"
// stays "aktualizacja", "Aktualizacja.exe" gives "Aktualizacja", "aKTUALIZACJA" gives "aktualizacja").
QString applicationTitle(const QString& executableFileName);

} // namespace akt
