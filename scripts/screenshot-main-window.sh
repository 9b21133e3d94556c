#!/usr/bin/env bash
# Takes a picture of the desktop application's main window on the album of the sample photos,
# under a private X server, and prints what assistive technology reads of the window (every
# control by role and name). Builds and installs what it needs (scripts/lib/screenshot.sh:
# $MIRULANE_BUILD, $WINDOW_LOOK): a virtual X server, the accessibility bus, ImageMagick, the
# SVG plugin and a Japanese font.
#   scripts/screenshot-main-window.sh [OUT.png] [WINDOW-LOOK OPTIONS...]
#       default OUT.png: build/main-window.png; options such as
#       --menu "ツール(T)>動作環境の設定(E)..." run menu commands before the picture.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/screenshot.sh
out=$(realpath -m "${1:-build/main-window.png}")
[ $# -gt 0 ] && shift

screenshot_prepare screenshot-main-window
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
screenshot_album "$work" >/dev/null
screenshot_shoot "$out" "$work" "$@"
echo "$out"
