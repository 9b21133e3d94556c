#!/usr/bin/env bash
# Installs what building mirulane-cli needs, builds it, and makes a complete album.
#   scripts/demo.sh          the album of samples/ in a fresh output folder: thumbnails with
#                            their shooting data in the list, camera data on every detail page
#   scripts/demo.sh FOLDER   the album of FOLDER, written where its settings place it
# Prints the path of index.html last.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --cli >&2
cmake -S . -B build/demo -G Ninja -DMIRULANE_TESTS=OFF -DMIRULANE_BENCH=OFF >/dev/null
cmake --build build/demo --target mirulane-cli >&2
cli=build/demo/src/mirulane-cli

if [ $# -eq 0 ]; then
    out=$(mktemp -d "${TMPDIR:-/tmp}/mirulane-demo-XXXXXX")
    cp samples/*.JPG samples/*.jpg samples/*.png samples/*.avi "$out/"
    # List preset 4: each thumbnail framed, with its shooting data beside it; detail preset
    # 15: file name, shooting date and page count above the picture, the camera data below.
    exec "$cli" album "$out" --thumbs --force --list-preset 4 --detail-preset 15 \
        --title "ミルレーン サンプル"
fi
exec "$cli" album "$1" --thumbs
