#!/usr/bin/env bash
# Checks that nothing below app/ shows a message: the layers below return what went wrong as
# a Problem, and app/ words it (app/problem_text) and tells it. A run working on a thread of
# its own thus reports values; only app/ decides what the user is told, and when.
# Usage: check-messages.sh SRC-FOLDER
set -u
src=${1:-$(dirname "$0")/../src}
hits=""
for dir in platform imaging album exif html; do
    [ -d "$src/$dir" ] || continue
    found=$(grep -rn -E '(\.|->)Message[[:space:]]*\(|ShowWarning[[:space:]]*\(' "$src/$dir" \
        --include='*.h' --include='*.cpp')
    [ -n "$found" ] && hits+="$found"$'\n'
done
if [ -n "$hits" ]; then
    echo "below app/ a message is shown instead of a problem returned:"
    printf '%s' "$hits"
    exit 1
fi
echo "below app/ problems are returned, never shown"
