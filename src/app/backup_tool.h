#pragma once

#include "support/program_runner.h"

#include <QDateTime>
#include <QString>

namespace akt {

// Everything the update run knows of Firebird's backup tool, gbak: where it is, what it is given
// and how its result is judged.

// "gbak" in `programFolder` (which ends with a separator) when it is there, otherwise the one on
// PATH. When neither exists the program-folder path is returned, so the failure to start names the
// place the tool was expected.
QString locateBackupTool(const QString& programFolder);

// The backup file of a run started at `when`: programFolder + "Kopia_" + yyyyMMdd_HHmmss + ".fbk".
QString backupFileName(const QString& programFolder, const QDateTime& when);

// The tool's parameter strings. It always runs as the built-in administrator, on the bare database
// path (it opens the file itself, never through a server); the paths go in as they are.
QString backupParameters(const QString& databasePath, const QString& backupFile);
QString restoreParameters(const QString& backupFile, const QString& databasePath);

// The restore replaces the database with the backup file, so only a clean run of the tool that left
// a non-empty file counts.
bool backupSucceeded(const RunResult& result, const QString& backupFile);
bool restoreSucceeded(const RunResult& result);

// The code a failure text shows: the tool's exit code, or -1 when it crashed or did not end.
int shownExitCode(const RunResult& result);

} // namespace akt
