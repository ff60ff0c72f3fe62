#include "app/backup_tool.h"

#include "support/program_path.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace akt {
namespace {

QString quoted(const QString& path) {
    return QLatin1Char('"') + path + QLatin1Char('"');
}

} // namespace

QString locateBackupTool(const QString& programFolder) {
    const QString besideUs = programFolder + QStringLiteral("gbak");
#ifdef Q_OS_WIN
    return besideUs; // the program runner adds the extension
#else
    if (isRunnable(besideUs))
        return besideUs;
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("gbak"));
    return onPath.isEmpty() ? besideUs : onPath;
#endif
}

QString backupFileName(const QString& programFolder, const QDateTime& when) {
    return programFolder + QStringLiteral("Kopia_") + when.toString(QStringLiteral("yyyyMMdd_HHmmss")) +
           QStringLiteral(".fbk");
}

QString backupParameters(const QString& databasePath, const QString& backupFile) {
    return QStringLiteral("-B -t -user SYSDBA -pas plumbjoin ") + quoted(databasePath) + QLatin1Char(' ') +
           quoted(backupFile);
}

QString restoreParameters(const QString& backupFile, const QString& databasePath) {
    return QStringLiteral("-r -REP -user SYSDBA -pas plumbjoin ") + quoted(backupFile) + QLatin1Char(' ') +
           quoted(databasePath);
}

bool backupSucceeded(const RunResult& result, const QString& backupFile) {
    const QFileInfo copy(backupFile);
    return result.succeeded() && copy.isFile() && copy.size() > 0;
}

bool restoreSucceeded(const RunResult& result) {
    return result.succeeded();
}

int shownExitCode(const RunResult& result) {
    return result.finished && !result.crashed ? result.exitCode : -1;
}

} // namespace akt
