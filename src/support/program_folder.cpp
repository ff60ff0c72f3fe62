#include "support/program_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace akt {

QString programFolder() {
    // Without an application object Qt cannot tell where the executable is; an empty answer keeps
    // callers from writing into the root folder instead.
    if (!QCoreApplication::instance())
        return {};
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator();
}

} // namespace akt
