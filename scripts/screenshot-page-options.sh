#!/usr/bin/env bash
# Takes a picture of each tab of "ページ作成オプション" and of "テンプレートの置換文字列設定",
# opened from the desktop application's menu on the album of the sample photos under a private
# X server, and prints what assistive technology reads of each (every control by role and
# name). The window-look tool opens the dialog by its menu command; a small helper started with
# the program then picks the tab (and presses "置換対象文字列...") the way assistive technology
# does, by the controls' names. Builds and installs what it needs as
# scripts/screenshot-main-window.sh does ($MIRULANE_BUILD, default build/screenshot;
# $WINDOW_LOOK).
#   scripts/screenshot-page-options.sh [OUT-FOLDER]
#       default OUT-FOLDER: build; pictures page-options-top.png, page-options-list.png,
#       page-options-detail.png, replacement-strings.png
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build}")
build=${MIRULANE_BUILD:-build/screenshot}
look=${WINDOW_LOOK:-$(realpath -m ../shared/tools/window-look)}

packages=(g++ cmake ninja-build qt6-base-dev libqt6svg6 qt6-translations-l10n fonts-noto-cjk
          xvfb at-spi2-core python3-pyatspi dbus imagemagick)
scripts/apt-install.sh "${packages[@]}"
[ -x "$look" ] || { echo "screenshot-page-options: no window-look tool at $look" >&2; exit 1; }

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
printf '[Environment]\r\nShowHelp=0\r\n' >"$work/config/mirulane/mirulane.ini"

# The helper: waits for the options dialog, selects the tab named $PICK_TAB and, with
# $PICK_BUTTON, presses the button of that name.
cat >"$work/pick.py" <<'PY'
import os, sys, time
import pyatspi
from gi.repository import Atspi
Atspi.set_timeout(800, 15000)
tab, button = os.environ.get("PICK_TAB", ""), os.environ.get("PICK_BUTTON", "")

def walk(a, found):
    try:
        found.append(a)
        for i in range(a.childCount):
            c = a.getChildAtIndex(i)
            if c is not None:
                walk(c, found)
    except Exception:
        pass
    return found

def named(role, name):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None or "mirulane" not in (app.name or "").lower():
            continue
        for a in walk(app, []):
            try:
                if a.getRoleName() == role and a.name == name:
                    return a
            except Exception:
                pass
    return None

def press(a):
    try:
        a.queryAction().doAction(0)
    except Exception:
        pass  # a button that opens a modal dialog answers only when the dialog closes

deadline = time.time() + 30
while time.time() < deadline and named("dialog", "ページ作成オプション") is None:
    time.sleep(0.1)
if tab:
    t = named("page tab", tab)
    if t is None:
        sys.exit("pick: no tab " + tab)
    press(t)
    time.sleep(0.3)
if button:
    b = named("push button", button)
    if b is None:
        sys.exit("pick: no button " + button)
    press(b)
PY
# window-look starts this in place of the program (it looks for a program of that name): the
# helper in the background, then the program itself.
mkdir -p "$work/bin"
cat >"$work/bin/mirulane" <<SH
#!/bin/sh
/usr/bin/python3 "$work/pick.py" &
exec "$(realpath "$build/src/ui/mirulane")" "\$@"
SH
chmod +x "$work/bin/mirulane"

mkdir -p "$out"
shot() {
    local picture=$out/$1
    rm -f "$picture"
    PICK_TAB=$2 PICK_BUTTON=${3:-} XDG_CONFIG_HOME="$work/config" TMPDIR="$work" \
        "$look" --shot "$picture" --menu "ツール(T)>ページ作成オプション(O)..." \
        -- "$work/bin/mirulane" "$work/photos.txt"
    [ -s "$picture" ] || { echo "screenshot-page-options: no picture $picture" >&2; exit 1; }
}
shot page-options-top.png "トップページ"
shot page-options-list.png "リストページ"
shot page-options-detail.png "個別ページ"
shot replacement-strings.png "リストページ" "置換対象文字列..."
echo "$out/page-options-top.png $out/page-options-list.png $out/page-options-detail.png" \
    "$out/replacement-strings.png"
