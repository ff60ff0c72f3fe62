#pragma once

#include <QStringList>

#include <array>

namespace akt {

// Which DBSRC subfolders a run lists, in the order it lists them; "" is DBSRC itself. The window's
// runs and the offline check of a script tree both take them from here.

// Create mode: DBSRC, 0, 5, ADR (then the command line's extra folder, which is not a DBSRC one).
QStringList createModeFolders();

// The schema versions update mode accepts, and the folders it lists for one of them: the version's
// own, ADR, then DBSRC.
inline constexpr std::array<int, 3> kAcceptedVersions = {1, 3, 5};
bool acceptedVersion(int version);
QStringList updateModeFolders(int version);

} // namespace akt
