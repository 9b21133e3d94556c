#!/usr/bin/env bash
# Checks the one direction of includes: platform < album < exif < html < app < cli, ui, and
# platform < imaging < app (imaging, the thumbnail maker, is for app alone). A file includes
# headers of its own folder and of folders below it, never above; the two front ends never
# include each other; nothing in the core includes Qt; no include climbs out of its folder with
# "../" (which would step round every rule here). The build refuses an upward include of a
# header a library compiles; this also finds one in a header nobody compiles yet.
# Usage: check-includes.sh SRC-FOLDER
set -u
src=${1:-$(dirname "$0")/../src}
qt='Q[A-Za-z]*>|Qt[A-Za-z]*/'  # <QWidget>, <QtWidgets/QWidget>
status=0
check() {  # folder, what its includes must not start with (a regular expression)
    local dir=$1 forbidden=$2 hits
    [ -d "$src/$dir" ] || return 0
    hits=$(grep -rn -E "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]($forbidden)" "$src/$dir" \
        --include='*.h' --include='*.cpp')
    [ -z "$hits" ] && return 0
    echo "$dir/ includes what it must not (a folder above it, the other front end, Qt, or a path through ../):"
    echo "$hits"
    status=1
}
check platform "(album|exif|html|imaging|app|cli|ui)/|$qt"
check imaging "(album|exif|html|app|cli|ui)/|$qt"
check album "(exif|html|imaging|app|cli|ui)/|$qt"
check exif "(html|imaging|app|cli|ui)/|$qt"
check html "(imaging|app|cli|ui)/|$qt"
check app "(cli|ui)/|$qt"
check cli "ui/|imaging/|$qt"
check ui "cli/|imaging/"
# No folder climbs out of itself: "../html/tokens.h" would pass every rule above.
for dir in platform imaging album exif html app cli ui; do
    check "$dir" '[^">]*\.\./|\.\./'
done
[ $status -eq 0 ] && echo "includes run one way: platform < album < exif < html < app < cli, ui; platform < imaging < app"
exit $status
