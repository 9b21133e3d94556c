#!/usr/bin/env bash
# Takes a picture of each tab of "ページ作成オプション" and of "テンプレートの置換文字列設定",
# opened from the desktop application's menu on the album of the sample photos under a private
# X server, and prints what assistive technology reads of each (every control by role and
# name). The window-look tool opens the dialog by its menu command; scripts/lib/press-controls.py
# then picks the tab (and presses "置換対象文字列...") the way assistive technology does, by the
# controls' names. Builds and installs what it needs (scripts/lib/screenshot.sh).
#   scripts/screenshot-page-options.sh [OUT-FOLDER]
#       default OUT-FOLDER: build; pictures page-options-top.png, page-options-list.png,
#       page-options-detail.png, replacement-strings.png
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/screenshot.sh
out=$(realpath -m "${1:-build}")

screenshot_prepare screenshot-page-options
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
screenshot_album "$work" >/dev/null

shot() {
    PRESS_DIALOG="ページ作成オプション" PRESS_TAB=$2 PRESS_BUTTON=${3:-} \
        screenshot_shoot "$out/$1" "$work" --menu "ツール(T)>ページ作成オプション(O)..."
}
shot page-options-top.png "トップページ"
shot page-options-list.png "リストページ"
shot page-options-detail.png "個別ページ"
shot replacement-strings.png "リストページ" "置換対象文字列..."
echo "$out/page-options-top.png $out/page-options-list.png $out/page-options-detail.png" \
    "$out/replacement-strings.png"
