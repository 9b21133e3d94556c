#!/usr/bin/env bash
# Checks the help pages: every topic that F1 can open exists and is listed on the default page,
# every page is UTF-8 and says so, and every link and stylesheet reference between the pages
# leads to an existing file (and, with a #fragment, to an existing id). Exits 1 on any problem.
# Usage: scripts/check-help-links.sh [HELP_DIR]   (default: help/ of this checkout)
set -uo pipefail

dir=${1:-"$(dirname "$0")/../help"}
topics="index.html 040500.html 040400.html 070900.html 040101.html 040102.html 040103.html
        040104.html 040105.html 040301.html 040302.html 040303.html 060000.html"
problems=0
problem() {
    echo "help: $*" >&2
    problems=$((problems + 1))
}

[ -d "$dir" ] || { echo "help: no folder $dir" >&2; exit 1; }

for t in $topics; do
    [ -f "$dir/$t" ] || { problem "missing topic page $t"; continue; }
    if [ "$t" != index.html ] && ! grep -q "href=\"$t\"" "$dir/index.html" 2>/dev/null; then
        problem "index.html does not link to $t"
    fi
done

for page in "$dir"/*.html; do
    name=$(basename "$page")
    iconv -f UTF-8 -t UTF-8 "$page" >/dev/null 2>&1 || problem "$name is not valid UTF-8"
    grep -qi '<meta charset="utf-8">' "$page" || problem "$name lacks <meta charset=\"utf-8\">"
    [ "$name" = index.html ] || grep -q 'href="index.html"' "$page" || problem "$name has no link to index.html"

    # Attribute values of real tags only: markup shown as text is written &lt;a href=...
    refs=$(grep -o '<\(a\|link\|img\|script\)\b[^>]*\b\(href\|src\)="[^"]*"' "$page" |
        sed 's/.*\(href\|src\)="\([^"]*\)"$/\2/')
    for ref in $refs; do
        case "$ref" in
            *:*) continue ;;  # http:, mailto: and the like are not ours to check
        esac
        file=${ref%%#*}
        frag=
        [ "$file" != "$ref" ] && frag=${ref#*#}
        target=$page
        if [ -n "$file" ]; then
            target="$dir/$file"
            [ -f "$target" ] || { problem "$name: broken link $ref"; continue; }
        fi
        if [ -n "$frag" ] && ! grep -q "id=\"$frag\"" "$target"; then
            problem "$name: no id \"$frag\" for link $ref"
        fi
    done
done

if [ "$problems" -gt 0 ]; then
    echo "help: $problems problem(s)" >&2
    exit 1
fi
echo "help: all pages and links in order"
