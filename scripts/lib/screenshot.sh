# shellcheck shell=bash
# What the screenshot scripts of the desktop application share, sourced from the checkout's
# top folder: the packages they need (installed when run as root), the window-look tool, the
# build of mirulane and mirulane-cli, and the album of a copy of the sample photos.
#   $MIRULANE_BUILD  build folder (default build/screenshot; configured here when it is new,
#                    an existing one keeps its configuration)
#   $WINDOW_LOOK     the window-look tool (default scripts/lib/window-look)

build=${MIRULANE_BUILD:-build/screenshot}
look=${WINDOW_LOOK:-$(realpath scripts/lib/window-look)}

# Installs what the pictures need and builds the programs; $1 names the script in messages.
screenshot_prepare() {
    scripts/apt-install.sh g++ cmake ninja-build pkgconf libvips-dev qt6-base-dev libqt6svg6 \
        qt6-translations-l10n fonts-noto-cjk xvfb at-spi2-core python3-pyatspi dbus imagemagick
    [ -x "$look" ] || { echo "$1: no window-look tool at $look" >&2; exit 1; }
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S . -B "$build" -G Ninja -DMIRULANE_GUI=ON -DMIRULANE_TESTS=OFF \
            -DMIRULANE_BENCH=OFF >/dev/null
    fi
    cmake --build "$build" --target mirulane mirulane-cli
}

# Makes $1/photos (a copy of the samples), its album $1/photos.txt with its pages, and a
# profile in $1/config that neither opens the help nor shows the preview notice. Prints the
# album's top page.
screenshot_album() {
    cp -r samples "$1/photos"
    "$build/src/mirulane-cli" --profile "$1/cli.ini" album "$1/photos" -o "$1/photos.txt" |
        tail -n 1
    mkdir -p "$1/config/mirulane"
    printf '[Environment]\r\nShowHelp=0\r\nPvFirst=0\r\n' >"$1/config/mirulane/mirulane.ini"
}

# Takes the picture $1 of the application on album $2/photos.txt with profile $2/config; the
# other arguments are window-look's options (--menu ...). With $PRESS_DIALOG set, the controls
# named by $PRESS_TAB and $PRESS_BUTTON of that dialog are pressed once it is open.
screenshot_shoot() {
    local picture=$1 work=$2
    shift 2
    rm -f "$picture"
    mkdir -p "$(dirname "$picture")"
    XDG_CONFIG_HOME="$work/config" TMPDIR="$work" \
        MIRULANE_PROGRAM=$(realpath "$build/src/ui/mirulane") \
        "$look" --shot "$picture" "$@" -- scripts/lib/mirulane "$work/photos.txt"
    [ -s "$picture" ] || { echo "no picture $picture was made" >&2; exit 1; }
}
