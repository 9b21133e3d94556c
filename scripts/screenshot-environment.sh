#!/usr/bin/env bash
# Takes a picture of each tab of the environment settings dialog "動作環境の設定" on the album of
# the sample photos under a private X server: the menu command opens the dialog, and for every
# tab but the first scripts/lib/press-controls.py presses that tab, as a screen reader user
# would. Prints what assistive technology reads of each window. Builds and installs what it
# needs (scripts/lib/screenshot.sh).
#   scripts/screenshot-environment.sh [OUT-FOLDER]     default OUT-FOLDER: build
# Pictures: environment-1-folders.png ... environment-5-advanced.png
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/screenshot.sh
out=$(realpath -m "${1:-build}")

screenshot_prepare screenshot-environment
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
screenshot_album "$work" >/dev/null

shot() {
    PRESS_DIALOG="動作環境の設定" PRESS_TAB=$2 \
        screenshot_shoot "$out/$1" "$work" --menu "ツール(T)>動作環境の設定(E)..."
}
shot environment-1-folders.png ""
shot environment-2-list-pane.png "リストペイン"
shot environment-3-preview-pane.png "プレビューペイン"
shot environment-4-exif.png "Exif情報の取得"
shot environment-5-advanced.png "上級者向け"
