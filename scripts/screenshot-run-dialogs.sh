#!/usr/bin/env bash
# Takes a picture of each dialog that runs over the album, opened from the desktop
# application's menus on the album of the sample photos under a private X server:
# "Exif情報の再取得", "サムネイルの抽出", and the overwrite confirmation that "HTMLファイルの作成"
# asks for a page edited by hand. Prints what assistive technology reads of each (every control
# by role and name). Builds and installs what it needs (scripts/lib/screenshot.sh).
#   scripts/screenshot-run-dialogs.sh [OUT-FOLDER]
#       default OUT-FOLDER: build; pictures dialog-exif-reacquire.png, dialog-thumbnails.png,
#       dialog-overwrite.png
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/screenshot.sh
out=$(realpath -m "${1:-build}")

screenshot_prepare screenshot-run-dialogs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
index=$(screenshot_album "$work")
[ -f "$index" ] || { echo "screenshot-run-dialogs: the album has no top page" >&2; exit 1; }
# A page the program wrote and nobody touched is replaced without a question: edit it.
printf '<!-- edited -->\r\n' >>"$index"

screenshot_shoot "$out/dialog-exif-reacquire.png" "$work" --menu "ツール(T)>Exif情報の再取得(R)..."
screenshot_shoot "$out/dialog-thumbnails.png" "$work" --menu "ツール(T)>サムネイルの抽出(T)..."
screenshot_shoot "$out/dialog-overwrite.png" "$work" --menu "ファイル(F)>HTMLファイルの作成(H)"
echo "$out/dialog-exif-reacquire.png $out/dialog-thumbnails.png $out/dialog-overwrite.png"
