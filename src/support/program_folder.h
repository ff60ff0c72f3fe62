#pragma once

#include <QString>

namespace akt {

// The folder of the running executable with a trailing separator. Needs a QCoreApplication.
QString programFolder();

} // namespace akt
