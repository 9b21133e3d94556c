#!/usr/bin/env bash
# Takes a picture of each dialog that runs over the album, opened from the desktop
# application's menus on the album of the sample photos under a private X server:
# "Exif情報の再取得", "サムネイルの抽出", and the overwrite confirmation that "HTMLファイルの作成"
# asks for a page edited by hand. Prints what assistive technology reads of each (every control
# by role and name). Builds and installs what it needs as scripts/screenshot-main-window.sh
# does ($MIRULANE_BUILD, default build/screenshot; $WINDOW_LOOK).
#   scripts/screenshot-run-dialogs.sh [OUT-FOLDER]
#       default OUT-FOLDER: build; pictures dialog-exif-reacquire.png, dialog-thumbnails.png,
#       dialog-overwrite.png
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build}")
build=${MIRULANE_BUILD:-build/screenshot}
look=${WINDOW_LOOK:-$(realpath -m ../shared/tools/window-look)}

packages=(g++ cmake ninja-build qt6-base-dev libqt6svg6 qt6-translations-l10n fonts-noto-cjk
          xvfb at-spi2-core python3-pyatspi dbus imagemagick)
scripts/apt-install.sh "${packages[@]}"
[ -x "$look" ] || { echo "screenshot-run-dialogs: no window-look tool at $look" >&2; exit 1; }

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DMIRULANE_GUI=ON -DMIRULANE_TESTS=OFF -DMIRULANE_BENCH=OFF \
        >/dev/null
fi
cmake --build "$build" --target mirulane mirulane-cli

# The album of a copy of the samples, its pages written, and a profile of its own that does not
# open the help.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r samples "$work/photos"
index=$("$build/src/mirulane-cli" --profile "$work/cli.ini" album "$work/photos" \
    -o "$work/photos.txt" | tail -n 1)
[ -f "$index" ] || { echo "screenshot-run-dialogs: the album has no top page" >&2; exit 1; }
# A page the program wrote and nobody touched is replaced without a question: edit it.
printf '<!-- edited -->\r\n' >>"$index"
mkdir -p "$work/config/mirulane"
printf '[Environment]\r\nShowHelp=0\r\n' >"$work/config/mirulane/mirulane.ini"

mkdir -p "$out"
shot() {
    local picture=$out/$1
    shift
    rm -f "$picture"
    XDG_CONFIG_HOME="$work/config" TMPDIR="$work" \
        "$look" --shot "$picture" "$@" -- "$build/src/ui/mirulane" "$work/photos.txt"
    [ -s "$picture" ] || { echo "screenshot-run-dialogs: no picture $picture" >&2; exit 1; }
}
shot dialog-exif-reacquire.png --menu "ツール(T)>Exif情報の再取得(R)..."
shot dialog-thumbnails.png --menu "ツール(T)>サムネイルの抽出(T)..."
shot dialog-overwrite.png --menu "ファイル(F)>HTMLファイルの作成(H)"
echo "$out/dialog-exif-reacquire.png $out/dialog-thumbnails.png $out/dialog-overwrite.png"
