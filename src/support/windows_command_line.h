#pragma once

#include <QString>
#include <QStringList>

namespace akt {

// Splits a parameter string into arguments the way a Windows program's C runtime does, so a tool
// started here receives exactly the arguments it would get on Windows:
// - blanks and tabs outside double quotes separate arguments;
// - a double quote opens or closes a quoted part and is dropped; "" inside a quoted part is one
//   literal quote and the part stays open;
// - 2n backslashes before a quote give n backslashes and the quote acts as above; 2n+1 give n
//   backslashes and a literal quote; backslashes before anything else are kept as they are.
QStringList splitWindowsCommandLine(const QString& params);

} // namespace akt
