#pragma once

#include <QDateTime>
#include <QString>

namespace akt {

// The backup file of a run started at `when`: programFolder + "Kopia_" + yyyyMMdd_HHmmss + ".fbk".
QString backupFileName(const QString& programFolder, const QDateTime& when);

// The backup tool's parameter strings. The tool always runs as the built-in administrator, on the
// bare database path (it opens the file itself, never through a server); the paths go in as they are.
QString backupParameters(const QString& databasePath, const QString& backupFile);
QString restoreParameters(const QString& backupFile, const QString& databasePath);

} // namespace akt
