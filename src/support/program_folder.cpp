#include "support/program_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace akt {

QString programFolder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator();
}

} // namespace akt
