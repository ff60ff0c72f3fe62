#include "app/backup_call.h"

namespace akt {
namespace {

QString quoted(const QString& path) {
    return QLatin1Char('"') + path + QLatin1Char('"');
}

} // namespace

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

} // namespace akt
