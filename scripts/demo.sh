#!/usr/bin/env bash
# Installs what is needed, builds, and makes a complete album (thumbnails included).
#   scripts/demo.sh          the album of samples/, made in a fresh output folder
#   scripts/demo.sh FOLDER   the album of FOLDER, written where its settings place it
# Prints the path of index.html last.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh >&2
cmake -S . -B build/demo -G Ninja -DMIRULANE_TESTS=OFF -DMIRULANE_BENCH=OFF >/dev/null
cmake --build build/demo --target mirulane-cli >&2

if [ $# -eq 0 ]; then
    out=$(mktemp -d "${TMPDIR:-/tmp}/mirulane-demo-XXXXXX")
    cp samples/*.JPG samples/*.jpg samples/*.png samples/*.avi "$out/"
    exec build/demo/src/mirulane-cli album "$out" --thumbs --force
fi
exec build/demo/src/mirulane-cli album "$1" --thumbs
