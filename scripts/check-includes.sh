#!/usr/bin/env bash
# Checks the one direction of includes: platform < album < exif < html < app < cli, ui. A file
# includes headers of its own folder and of folders below it, never above; the two front ends
# never include each other; nothing in the core includes Qt. The build refuses an upward
# include of a header a library compiles; this also finds one in a header nobody compiles yet.
# Usage: check-includes.sh SRC-FOLDER
set -u
src=${1:-$(dirname "$0")/../src}
status=0
check() {  # folder, the folders it must not include (a regular expression)
    local dir=$1 forbidden=$2
    [ -d "$src/$dir" ] || return 0
    local hits
    hits=$(grep -rn -E "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]($forbidden)/" "$src/$dir" \
        --include='*.h' --include='*.cpp')
    if [ -n "$hits" ]; then
        echo "$dir/ includes what it must not ($forbidden):"
        echo "$hits"
        status=1
    fi
}
qt='Q[A-Za-z]*|Qt[A-Za-z]*|qt[a-z]*'
check platform "album|exif|html|app|cli|ui|$qt"
check album "exif|html|app|cli|ui|$qt"
check exif "html|app|cli|ui|$qt"
check html "app|cli|ui|$qt"
check app "cli|ui|$qt"
check cli "ui|$qt"
check ui "cli"
# Qt headers are included as <QWidget> or <QtWidgets/...>: a core file naming one is wrong too.
for dir in platform album exif html app cli; do
    [ -d "$src/$dir" ] || continue
    hits=$(grep -rn -E "^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q[A-Za-z]*>" "$src/$dir" \
        --include='*.h' --include='*.cpp')
    if [ -n "$hits" ]; then
        echo "$dir/ includes Qt:"
        echo "$hits"
        status=1
    fi
done
[ $status -eq 0 ] && echo "includes run one way: platform < album < exif < html < app < cli, ui"
exit $status
