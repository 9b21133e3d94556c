#!/usr/bin/env bash
# Takes a picture of each tab of the environment settings dialog "動作環境の設定" on the album of
# the sample photos, through scripts/screenshot-main-window.sh (same build folder, packages and
# private X server): the menu command opens the dialog, and for every tab but the first a
# helper on the accessibility bus presses that tab, as a screen reader user would. Prints what
# assistive technology reads of each window.
#   scripts/screenshot-environment.sh [OUT-FOLDER]     default OUT-FOLDER: build
# Pictures: environment-1-folders.png ... environment-5-advanced.png
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build}")
mkdir -p "$out"
look=${WINDOW_LOOK:-$(realpath -m ../shared/tools/window-look)}

shim=$(mktemp -d)
trap 'rm -rf "$shim"' EXIT

# Presses the page tab named $ENV_TAB once the dialog is on the accessibility bus.
cat >"$shim/press-tab.py" <<'PY'
import os, sys, time
import pyatspi

tab = os.environ["ENV_TAB"]

def find(a, depth=0):
    try:
        if a.getRoleName() == "page tab" and a.name == tab:
            return a
        if depth < 12:
            for i in range(a.childCount):
                c = a.getChildAtIndex(i)
                found = c is not None and find(c, depth + 1)
                if found:
                    return found
    except Exception:
        pass
    return None

deadline = time.time() + 60
while time.time() < deadline:
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        try:
            if app is None or "mirulane" not in (app.name or "").lower():
                continue
            for j in range(app.childCount):
                window = app.getChildAtIndex(j)
                if window is not None and window.name == "動作環境の設定":
                    page = find(window)
                    if page:
                        page.queryAction().doAction(0)
                        sys.exit(0)
        except Exception:
            pass
    time.sleep(0.1)
sys.exit("press-tab: no tab %s" % tab)
PY

# The program window-look starts: the helper in the background, then the real program in its
# place (so window-look ends the program itself). Named mirulane, as window-look looks for it.
cat >"$shim/mirulane" <<'SH'
#!/usr/bin/env bash
[ -n "${ENV_TAB:-}" ] && /usr/bin/python3 "$(dirname "$0")/press-tab.py" &
exec "$MIRULANE_REAL" "$@"
SH

# window-look with the program replaced by that starter.
cat >"$shim/window-look" <<'SH'
#!/usr/bin/env bash
args=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do args+=("$1"); shift; done
shift
export MIRULANE_REAL=$1
shift
exec "$LOOK" "${args[@]}" -- "$(dirname "$0")/mirulane" "$@"
SH
chmod +x "$shim/mirulane" "$shim/window-look"

shoot() {
    ENV_TAB=$2 LOOK=$look WINDOW_LOOK=$shim/window-look \
        scripts/screenshot-main-window.sh "$out/$1" --menu "ツール(T)>動作環境の設定(E)..."
}
shoot environment-1-folders.png ""
shoot environment-2-list-pane.png "リストペイン"
shoot environment-3-preview-pane.png "プレビューペイン"
shoot environment-4-exif.png "Exif情報の取得"
shoot environment-5-advanced.png "上級者向け"
