#include "update/catalogue/fill_script_list.h"

#include "update/catalogue/script_search.h"

namespace akt {

int fillScriptList(ScriptList& list, const QString& directory) {
    const ScriptPattern pattern = splitScriptPattern(directory);
    const QStringList names = findScriptNames(pattern);
    for (const QString& name : names) {
        // Sorting moves the entry as soon as its text is set, so keep the entry, not its index.
        ScriptEntry& entry = list.append();
        // The path is built from the folder part: for a folder string without a trailing
        // separator the matched name already starts with the string's last part.
        list.attachObject(entry, std::make_unique<TstringObject>(pattern.folder + name));
        list.setChecked(entry, false);
        list.setDisplayText(entry, name.section(QLatin1Char('.'), 0, 0));
    }
    return static_cast<int>(names.size());
}

} // namespace akt
