#!/usr/bin/env bash
# Builds the Debian package of both programs and prints the path of the .deb last:
#   scripts/package.sh    build/package/mirulane_<version>_amd64.deb
# It installs what the build and the package need (as root: scripts/install-deps.sh
# --package), builds a Release tree in build/package, makes the package with
# `cpack -G DEB` (its Depends found by dpkg-shlibdeps) and checks what it holds.
# Install it with `apt install ./build/package/mirulane_<version>_amd64.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -eq 0 ]; then scripts/install-deps.sh --package >&2; fi
# ccache when it is installed (see scripts/test.sh).
launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER="$(command -v ccache || true)")
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DMIRULANE_GUI=ON -DMIRULANE_TESTS=OFF -DMIRULANE_BENCH=OFF "${launcher[@]}" >&2
cmake --build build/package -j"$(nproc 2>/dev/null || echo 2)" >&2
rm -f build/package/mirulane_*.deb
(cd build/package && cpack -G DEB) >&2
deb=$(ls build/package/mirulane_*.deb)
scripts/check-package.sh "$deb" >&2
echo "$deb"
