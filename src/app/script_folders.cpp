#include "app/script_folders.h"

#include <algorithm>

namespace akt {

QStringList createModeFolders() {
    return {QString(), QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("ADR")};
}

bool acceptedVersion(int version) {
    return std::find(kAcceptedVersions.begin(), kAcceptedVersions.end(), version) != kAcceptedVersions.end();
}

QStringList updateModeFolders(int version) {
    return {QString::number(version), QStringLiteral("ADR"), QString()};
}

} // namespace akt
