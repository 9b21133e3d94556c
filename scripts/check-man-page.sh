#!/usr/bin/env bash
# Checks that a program's man page keeps up with its --help: every option the help shows, and
# for a program with commands (a "コマンド:" list) every command and every option that
# `PROGRAM help COMMAND` shows, must appear in the page. Exits 1 naming each one missing.
# Usage: scripts/check-man-page.sh PROGRAM MAN_PAGE
set -euo pipefail

program=$1
page=$2
name=$(basename "$page")
[ -f "$page" ] || { echo "man: no page $page" >&2; exit 1; }

# The tags of the page's tagged paragraphs (the line after each .TP): each command and option
# must have a paragraph of its own, its tag starting with its name. The tags are read with
# roff's escaped hyphens plain and its font changes and quotes gone.
tags=$(awk 'tag { print; tag = 0 } /^\.TP/ { tag = 1 }' "$page" |
    sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/"//g')

usage=$("$program" --help)
# The command names: the lines indented by two spaces under "コマンド:", up to the blank line.
commands=$(printf '%s\n' "$usage" |
    awk '/^コマンド:/ { on = 1; next } on && /^$/ { on = 0 } on' |
    sed -n 's/^  \([a-z][a-z-]*\)\( .*\)\{0,1\}$/\1/p')
helps=$usage
for c in $commands; do
    helps+=$'\n'"$("$program" help "$c")"
done
[ -n "$commands" ] && commands+=$'\nhelp'

# Every option word: a - or -- and a lower-case name, not inside another word.
options=$(printf '%s\n' "$helps" | grep -oE '(^|[^A-Za-z0-9_-])--?[a-z][a-z0-9-]*' |
    sed -E 's/^[^-]+//' | sort -u)
[ -n "$options" ] || { echo "man: $program --help shows no option" >&2; exit 1; }

missing=0
for o in $options; do
    if ! grep -qE -- "^\.B[IR]? $o( |$)" <<<"$tags"; then
        echo "man: $name does not describe the option $o" >&2
        missing=$((missing + 1))
    fi
done
for c in $commands; do
    if ! grep -qE -- "^\.B[IR]? $c( |$)" <<<"$tags"; then
        echo "man: $name does not describe the command $c" >&2
        missing=$((missing + 1))
    fi
done
[ "$missing" -eq 0 ] || exit 1
echo "man: $name describes $(echo $options | wc -w) options and $(echo $commands | wc -w) commands"
