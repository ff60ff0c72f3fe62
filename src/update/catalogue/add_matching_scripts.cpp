#include "update/catalogue/add_matching_scripts.h"

#include "update/catalogue/script_search.h"

#include <QFile>

#include <vector>

namespace akt {

int addMatchingScripts(ScriptList& list, const QString& directory) {
    const ScriptPattern pattern = splitScriptPattern(directory);
    const std::vector<ScriptFileName> names = findScriptNames(pattern);
    const QByteArray nativeFolder = QFile::encodeName(pattern.folder);
    std::vector<NewScriptEntry> added;
    added.reserve(names.size());
    for (const ScriptFileName& name : names) {
        // The path is built from the folder part: for a folder string without a trailing
        // separator the matched name already starts with the string's last part.
        added.push_back({name.text.section(QLatin1Char('.'), 0, 0),
                         std::make_unique<TstringObject>(pattern.folder + name.text, nativeFolder + name.native)});
    }
    // A folder of thousands of scripts is placed in one step: entry by entry, every text set would
    // move an entry and have the window redraw the whole list.
    list.appendAll(std::move(added));
    return static_cast<int>(names.size());
}

} // namespace akt
