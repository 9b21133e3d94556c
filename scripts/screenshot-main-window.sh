#!/usr/bin/env bash
# Takes a picture of the desktop application's main window on the album of the sample photos,
# under a private X server, and prints what assistive technology reads of the window (every
# control by role and name). Builds mirulane and mirulane-cli in $MIRULANE_BUILD (default
# build/screenshot, configured here when it is new; an existing build folder keeps its
# configuration) and installs what the picture needs (run as root): a virtual X server, the
# accessibility bus, ImageMagick, the SVG plugin and a Japanese font.
#   scripts/screenshot-main-window.sh [OUT.png] [WINDOW-LOOK OPTIONS...]
#       default OUT.png: build/main-window.png; options such as
#       --menu "ツール(T)>動作環境の設定(E)..." run menu commands before the picture.
# The window-look tool is $WINDOW_LOOK (default ../shared/tools/window-look beside the checkout).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/main-window.png}")
[ $# -gt 0 ] && shift
build=${MIRULANE_BUILD:-build/screenshot}
look=${WINDOW_LOOK:-$(realpath -m ../shared/tools/window-look)}

packages=(g++ cmake ninja-build qt6-base-dev libqt6svg6 qt6-translations-l10n fonts-noto-cjk
          xvfb at-spi2-core python3-pyatspi dbus imagemagick)
scripts/apt-install.sh "${packages[@]}"
[ -x "$look" ] || { echo "screenshot-main-window: no window-look tool at $look" >&2; exit 1; }

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DMIRULANE_GUI=ON -DMIRULANE_TESTS=OFF -DMIRULANE_BENCH=OFF \
        >/dev/null
fi
cmake --build "$build" --target mirulane mirulane-cli

# The album of a copy of the samples, and a profile of its own that does not open the help.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r samples "$work/photos"
"$build/src/mirulane-cli" --profile "$work/cli.ini" album "$work/photos" -o "$work/photos.txt" \
    >/dev/null
mkdir -p "$work/config/mirulane"
printf '[Environment]\r\nShowHelp=0\r\nPvFirst=0\r\n' >"$work/config/mirulane/mirulane.ini"

mkdir -p "$(dirname "$out")"
rm -f "$out"
XDG_CONFIG_HOME="$work/config" TMPDIR="$work" \
    "$look" --shot "$out" "$@" -- "$build/src/ui/mirulane" "$work/photos.txt"
[ -s "$out" ] || { echo "screenshot-main-window: no picture was made" >&2; exit 1; }
echo "$out"
