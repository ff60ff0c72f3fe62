#pragma once

#include <QString>
#include <QTextStream>

namespace akt {

// The offline check of a DBSRC tree for script authors: no database, no display, no client library.
// For create mode and for update mode at each accepted version it lists the scripts as that run
// would, in run order, and cuts every file with the run's own parser, the terminator carried from
// file to file. Each problem is one line "path:line: text" (the path built from `folder` as given),
// printed once even where several runs list the file; then one summary line per run. Returns the
// exit code: 0 when nothing was found, 2 when something was, 3 when the folder cannot be read (said
// on `errors`).
int checkScriptTree(const QString& folder, QTextStream& out, QTextStream& errors);

} // namespace akt
