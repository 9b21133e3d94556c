#!/usr/bin/env bash
# Makes an album of portrait photos stored as a camera held on its side stores them (the
# picture lying on its side with Exif Orientation 6, its embedded thumbnail lying on its side
# too) beside one landscape photo, and takes pictures of a portrait's detail page and of the
# list page with headless Chromium: every picture must stand upright (the arrows point up) and
# keep its proportions. Builds mirulane-cli in $MIRULANE_BUILD (default build/demo) and installs
# what it needs (run as root): chromium, a Japanese font, ImageMagick and exiftool.
#   scripts/screenshot-portraits.sh [OUT-FOLDER]    default: build/portraits
# Writes detail.png and list.png into OUT-FOLDER and prints their paths.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/portraits}")
build=${MIRULANE_BUILD:-build/demo}

packages=(g++ cmake ninja-build pkgconf libvips-dev chromium fonts-noto-cjk imagemagick
          libimage-exiftool-perl)
scripts/apt-install.sh "${packages[@]}" >&2
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DMIRULANE_TESTS=OFF -DMIRULANE_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target mirulane-cli >&2
cli=$build/src/mirulane-cli

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
photos=$work/photos
mkdir -p "$photos"
convert=/usr/bin/convert

# name, the upright picture's size, its colours, the quarter turns (ImageMagick degrees) that
# lay it down as stored, the Orientation that stands it up again, the Exif byte order.
photo() {
    local name=$1 size=$2 colours=$3 lay=$4 orientation=$5 order=$6
    local w=${size%x*} h=${size#*x}
    local x=$((w / 2)) top=$((h / 12)) head=$((h / 4)) shaft=$((h * 3 / 4))
    # An arrow pointing up the upright picture.
    "$convert" -size "$size" "gradient:$colours" -fill white -stroke black -strokewidth 4 \
        -draw "polygon $x,$top $((x + w / 4)),$head $((x + w / 12)),$head $((x + w / 12)),$shaft \
$((x - w / 12)),$shaft $((x - w / 12)),$head $((x - w / 4)),$head" \
        -rotate "$lay" -quality 85 -strip "$work/$name"
    "$convert" "$work/$name" -thumbnail 160x160 -strip "$work/thumb-$name"
    exiftool -q -overwrite_original -ExifByteOrder="$order" -IFD0:Orientation#="$orientation" \
        -EXIF:Make="MIRU" -EXIF:Model="MIRU DC-200" -EXIF:DateTimeOriginal="2004:05:01 10:20:30" \
        "-ThumbnailImage<=$work/thumb-$name" "$work/$name"
    cp "$work/$name" "$photos/$name"
}
photo P1.JPG 450x600 "#6fa8dc-#f6b26b" -90 6 II
photo P2.JPG 450x600 "#93c47d-#38761d" -90 6 MM
photo P3.JPG 600x450 "#ffe599-#cc0000" 0 1 MM

"$cli" --profile "$work/cli.ini" album "$photos" --thumbs --force --list-preset 4 \
    --detail-preset 15 --title "縦位置の写真" >/dev/null

mkdir -p "$out"
shoot() {
    local page=$1 png=$2
    rm -f "$png"
    # A local file and no network: nothing Chromium does here needs one. Its log (mostly about
    # the missing desktop bus) is shown only when no picture came out.
    chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$work/chromium" --hide-scrollbars --window-size=1000,800 \
        --screenshot="$png" "file://$page" >"$work/chromium.log" 2>&1 || true
    if [ ! -s "$png" ]; then
        cat "$work/chromium.log" >&2
        echo "screenshot-portraits: no screenshot of $page was made" >&2
        exit 1
    fi
    echo "$png"
}
shoot "$photos/html/P1.html" "$out/detail.png"
shoot "$photos/html/list.html" "$out/list.png"
