#!/usr/bin/env bash
# Installs what building mirulane-cli needs, builds it, and makes a complete album.
#   scripts/demo.sh          the album of samples/ in ${TMPDIR:-/tmp}/mirulane-demo (made
#                            afresh on each run): thumbnails with their shooting data in the
#                            list, camera data on every detail page
#   scripts/demo.sh FOLDER   the album of FOLDER, written where its settings place it
# Prints the path of index.html last.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --cli >&2
cmake -S . -B build/demo -G Ninja -DMIRULANE_TESTS=OFF -DMIRULANE_BENCH=OFF >/dev/null
cmake --build build/demo --target mirulane-cli >&2
cli=build/demo/src/mirulane-cli

if [ $# -eq 0 ]; then
    # One place, made afresh: a rerun leaves no folder behind. Earlier versions of this script
    # made a new mirulane-demo-XXXXXX folder each time; those of this user go too.
    tmp=${TMPDIR:-/tmp}
    out=$tmp/mirulane-demo
    find "$tmp" -maxdepth 1 -type d -user "$(id -u)" -name 'mirulane-demo-??????' \
        -exec test -e '{}/.mirulane-manifest' ';' -exec rm -rf '{}' + 2>/dev/null || true
    # The demo's folder holds its album list file, mirulane-demo.txt; anything else there is
    # left alone.
    if [ -e "$out" ] && [ ! -e "$out/mirulane-demo.txt" ] &&
        [ -n "$(ls -A "$out" 2>/dev/null || echo x)" ]; then
        echo "demo.sh: $out is not the demo's folder; move it away first" >&2
        exit 1
    fi
    rm -rf "$out"
    mkdir -p "$out"
    echo "demo.sh: the demo album is made in $out" >&2
    cp samples/*.JPG samples/*.jpg samples/*.png samples/*.avi "$out/"
    # List preset 4: each thumbnail framed, with its shooting data beside it; detail preset
    # 15: file name, shooting date and page count above the picture, the camera data below.
    exec "$cli" album "$out" --thumbs --force --list-preset 4 --detail-preset 15 \
        --title "ミルレーン サンプル"
fi
exec "$cli" album "$1" --thumbs
