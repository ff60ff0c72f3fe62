#pragma once

#include "update/catalogue/script_list.h"

#include <QString>

namespace akt {

// Adds one entry per script matching directory + "*.SQL" (see findScriptNames): display text
// is the file name up to its first ".", the check mark is clear and the path object holds the
// script's full path, as text and as the file system's bytes. The entries are added in one step
// (ScriptList::appendAll), so the change listener hears of them once. Returns how many entries
// were added; a missing folder adds none.
int addMatchingScripts(ScriptList& list, const QString& directory);

} // namespace akt
