#pragma once

#include <QString>

namespace akt {

// The file a program path names: an executable file as it stands (made absolute, so a bare name in
// the current folder is not looked up on PATH instead), on Windows the same with ".exe" added, a
// bare name found on PATH; otherwise the path unchanged, and starting it will fail.
QString resolveProgram(const QString& path);

// Whether the path names a file this process may start (a folder never is).
bool isRunnable(const QString& path);

} // namespace akt
