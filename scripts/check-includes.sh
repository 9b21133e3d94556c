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
check() {  # folder, what its includes must not start with, what of that they may (regexes)
    local dir=$1 forbidden=$2 allowed=${3:-} hits
    [ -d "$src/$dir" ] || return 0
    hits=$(grep -rn -E "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]($forbidden)" "$src/$dir" \
        --include='*.h' --include='*.cpp')
    [ -n "$allowed" ] && hits=$(grep -v -E "#[[:space:]]*include[[:space:]]*[\"<]($allowed)" <<<"$hits")
    [ -z "$hits" ] && return 0
    echo "$dir/ includes what it must not (a folder above it, the other front end, Qt, a path"
    echo "through ../, or in a front end anything but app/ and the records of album/):"
    echo "$hits"
    status=1
}
check platform "(album|exif|html|imaging|app|cli|ui)/|$qt"
check imaging "(album|exif|html|app|cli|ui)/|$qt"
check album "(exif|html|imaging|app|cli|ui)/|$qt"
check exif "(html|imaging|app|cli|ui)/|$qt"
check html "(imaging|app|cli|ui)/|$qt"
check app "(cli|ui)/|$qt"
# The front ends reach the core through app/ alone, and the plain records of album/ (entry
# list, album, page style, settings, columns, media kinds); nothing nested below those.
records='album/(entry_list|album|page_style|settings|columns|media)\.h"'
check cli "(platform|imaging|album|exif|html|app|cli|ui)/|$qt" "(app|cli)/[A-Za-z0-9_]+\.h\"|$records"
check ui "(platform|imaging|album|exif|html|app|cli|ui)/" "(app|ui)/[A-Za-z0-9_]+\.h\"|$records"
# No folder climbs out of itself: "../html/tokens.h" would pass every rule above.
for dir in platform imaging album exif html app cli ui; do
    check "$dir" '[^">]*\.\./|\.\./'
done
[ $status -eq 0 ] && echo "includes run one way: platform < album < exif < html < app < cli, ui; platform < imaging < app"
exit $status
