#pragma once

#include <QString>
#include <QStringList>

namespace akt {

// Where the scripts of one folder string are searched: the folder string is a prefix to which
// "*.SQL" is appended, so "…/DBSRC/" names a folder while "…/extra" names the files of "…/"
// whose names start with "extra".
struct ScriptPattern {
    QString folder;     // everything up to and including the last separator; empty for none
    QString namePrefix; // the rest: what a matching name must start with
};

ScriptPattern splitScriptPattern(const QString& directory);

// The names of the entries of the pattern's folder that match namePrefix + "*.SQL", letter case
// ignored as the Windows wildcard does on every system. Folders whose names match are included,
// as are hidden and system entries. Ordered by name so that a listing repeats itself. Empty
// when the folder does not exist.
QStringList findScriptNames(const ScriptPattern& pattern);

} // namespace akt
