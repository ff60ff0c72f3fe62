#!/usr/bin/env bash
# Builds the program in Release and packs it into a Debian package whose program folder is
# /opt/aktualizacja (the executable and the example DBSRC tree), with /usr/bin/aktualizacja and a
# menu entry; prints the package's path last. Run as root on Debian 12.
# Usage: scripts/package.sh   (AKT_PACKAGE_BUILD names the build folder, default build-package)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build=${AKT_PACKAGE_BUILD:-build-package}
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))
cmake -G Ninja -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DAKT_BUILD_TESTS=OFF -DAKT_BUILD_BENCH=OFF \
    -DAKT_SANITIZE=OFF -DCMAKE_INSTALL_PREFIX=/usr -DAKT_PROGRAM_DIR=/opt/aktualizacja >/dev/null
cmake --build "$build" --target aktualizacja -j"$jobs"

# A package left by an earlier run would otherwise be found below as well.
rm -f "$build"/aktualizacja_*.deb
(cd "$build" && cpack -G DEB >/dev/null)

package=$(ls "$build"/aktualizacja_*.deb)
dpkg-deb --field "$package" Package Version Architecture Depends Recommends
dpkg-deb --contents "$package" | awk '{ print $1, $6, $7, $8 }'
realpath "$package"
