#!/usr/bin/env bash
# Builds the Debian package: tonvela_VERSION_amd64.deb in build-package/ (or
# $TONVELA_PACKAGE_DIR), from a build of the two programs only. Its library
# dependencies are found by dpkg-shlibdeps.
#
#   bash scripts/package.sh
#   sudo apt-get install ./build-package/tonvela_*.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TONVELA_PACKAGE_DIR:-$root/build-package}"
bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTONVELA_BUILD_TESTS=OFF -DTONVELA_BUILD_BENCH=OFF -DTONVELA_BUILD_GALLERY=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target tonvela tonvela-cli
rm -f "$build"/tonvela_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/tonvela_*.deb)"
echo "$deb"
dpkg-deb --field "$deb" Package Version Architecture Depends
