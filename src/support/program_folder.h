#pragma once

#include <QString>

namespace akt {

// The folder of the running executable with a trailing separator; empty when there is no
// QCoreApplication yet.
QString programFolder();

} // namespace akt
