#!/usr/bin/env bash
# Checks a built Debian package of Mirulane: its control data (name, section, a Depends that
# names Qt 6 and libvips, as dpkg-shlibdeps finds them) and its files (both programs, every
# help page, the desktop entry, the icon and a man page for each program, all under /usr).
# Exits 1 naming each problem.
# Usage: scripts/check-package.sh mirulane_VERSION_amd64.deb
set -euo pipefail

deb=$(realpath "$1")
[ -f "$deb" ] || { echo "package: no file $1" >&2; exit 1; }
cd "$(dirname "$0")/.."
problems=0
problem() {
    echo "package: $*" >&2
    problems=$((problems + 1))
}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = mirulane ] || problem "the package is named '$(field Package)', not mirulane"
[ "$(field Section)" = graphics ] || problem "the section is '$(field Section)', not graphics"
[ "$(basename "$deb")" = "mirulane_$(field Version)_$(field Architecture).deb" ] ||
    problem "the file name $(basename "$deb") is not mirulane_VERSION_ARCH.deb"
depends=$(field Depends)
for library in libqt6widgets6 libqt6svg6 libvips42 libc6; do
    grep -qE "(^|, )$library( |,|$)" <<<"$depends" || problem "Depends does not name $library"
done

files=$(dpkg-deb -c "$deb" | awk '{ print $NF }' | sed 's|^\./|/|')
expected=(
    /usr/bin/mirulane
    /usr/bin/mirulane-cli
    /usr/share/applications/mirulane.desktop
    /usr/share/icons/hicolor/scalable/apps/mirulane.svg
    /usr/share/man/man1/mirulane.1.gz
    /usr/share/man/man1/mirulane-cli.1.gz
)
for page in help/*; do
    expected+=("/usr/share/mirulane/$page")
done
for f in "${expected[@]}"; do
    grep -qxF "$f" <<<"$files" || problem "the package has no $f"
done
outside=$(grep -v '^/usr/\|^/$' <<<"$files" || true)
[ -z "$outside" ] || problem "files outside /usr: $outside"

[ "$problems" -eq 0 ] || exit 1
echo "package: $(basename "$deb") holds both programs, $(ls help | wc -l) help pages, the desktop entry, the icon and the man pages"
