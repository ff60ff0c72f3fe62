#include "support/program_path.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace akt {

bool isRunnable(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

QString resolveProgram(const QString& path) {
    const QFileInfo info(path);
    if (isRunnable(path))
        return info.absoluteFilePath();
#ifdef Q_OS_WIN
    if (info.suffix().isEmpty()) {
        const QFileInfo exe(path + QStringLiteral(".exe"));
        if (exe.isFile())
            return exe.absoluteFilePath();
    }
#endif
    if (!path.isEmpty() && !path.contains(QLatin1Char('/')) && !path.contains(QLatin1Char('\\'))) {
        const QString found = QStandardPaths::findExecutable(path);
        if (!found.isEmpty())
            return found;
    }
    return path;
}

} // namespace akt
