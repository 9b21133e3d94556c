#!/usr/bin/env bash
# Makes the demo album (scripts/demo.sh) and takes a picture of its index.html with headless
# Chromium: the screenshot in the README. Installs chromium and a Japanese font for it (run as
# root); neither is needed for anything else.
#   scripts/demo-screenshot.sh [OUT.png]    default: docs/demo-album.png
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/demo-album.png}")

packages=(chromium fonts-noto-cjk)
scripts/apt-install.sh "${packages[@]}"

index=$(scripts/demo.sh | tail -n 1)
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
mkdir -p "$(dirname "$out")"
rm -f "$out"
# A local file and no network: nothing Chromium does here needs one. Its log (mostly about the
# missing desktop bus) is shown only when no picture came out.
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --hide-scrollbars --window-size=1200,800 \
    --screenshot="$out" "file://$index" >"$profile/chromium.log" 2>&1 || true
if [ ! -s "$out" ]; then
    cat "$profile/chromium.log" >&2
    echo "demo-screenshot: no screenshot was made" >&2
    exit 1
fi
echo "$out"
