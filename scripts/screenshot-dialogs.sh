#!/usr/bin/env bash
# Takes a picture of each entry dialog ("情報設定" and "詳細情報の一括設定") on the album of
# the sample photos, through scripts/screenshot-main-window.sh (same build folder, packages and
# private X server): "すべて選択" selects every entry, then the dialog's menu command opens it.
# Prints what assistive technology reads of each window.
#   scripts/screenshot-dialogs.sh [OUT-FOLDER]     default OUT-FOLDER: build
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build}")
mkdir -p "$out"
shoot() {
    scripts/screenshot-main-window.sh "$out/$1" --menu "編集(E)>すべて選択(L)" --menu "$2"
}
shoot file-info-dialog.png "編集(E)>ファイル情報の編集(E)..."
shoot batch-edit-dialog.png "編集(E)>ファイル情報の一括編集(B)..."
