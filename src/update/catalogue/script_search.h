#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace akt {

// Where the scripts of one folder string are searched: the folder string is a prefix to which
// "*.SQL" is appended, so "…/DBSRC/" names a folder while "…/extra" names the files of "…/"
// whose names start with "extra".
struct ScriptPattern {
    QString folder;     // everything up to and including the last separator; empty for none
    QString namePrefix; // the rest: what a matching name must start with
};

ScriptPattern splitScriptPattern(const QString& directory);

// One name found in a folder, as text and as the file system spells it.
struct ScriptFileName {
    // A name that is valid UTF-8 is decoded as UTF-8; any other came from a Windows machine and is
    // decoded from Windows-1250, which gives every byte a character.
    QString text;
    QByteArray native;
};

// The names of the entries of the pattern's folder that match namePrefix + "*.SQL": the prefix
// compared with letter case ignored, the extension in any ASCII letter case, as the Windows
// wildcard does on every system. Folders whose names match are included, as are hidden and
// system entries. Ordered by text, letter case ignored, then by the bytes, so that a listing
// repeats itself. Empty when the folder does not exist or cannot be read.
std::vector<ScriptFileName> findScriptNames(const ScriptPattern& pattern);

} // namespace akt
