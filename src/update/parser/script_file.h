#pragma once

#include "update/parser/script_lines.h"

#include <stdexcept>
#include <string>

namespace akt {

// A script file that cannot be read; the message names the file and the reason.
class ScriptFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // Cannot read script file "path": reason
    static ScriptFileError cannotRead(const std::string& path, const std::string& reason);
};

// Reads the whole file at `path` (in the file system's encoding) and splits it into lines.
// Throws ScriptFileError when the file cannot be opened or read, when it is not a regular file (a
// FIFO, a directory, a device: refused before any read, so none can block or run on for ever; a link
// counts as what it leads to), and when there is not enough memory to hold it.
ScriptLines loadScriptFile(const std::string& path);

} // namespace akt
