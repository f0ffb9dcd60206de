#!/usr/bin/env bash
# Fails when a program's --help names an option (or, for vexor-cli, a
# command) that its manual page lacks, or the page names one --help does
# not know: the pages cannot go stale unnoticed.
#   manpage_test.sh MAN_FOLDER PROGRAM...
set -uo pipefail
man=$1
shift
failures=0

# Options named in a text: words that start with - or -- and a letter, not
# inside another word (gas-injection, XXXX-XXXX).
options() {
    grep -oE '(^|[^A-Za-z0-9_-])--?[A-Za-z][A-Za-z0-9-]*' | sed -E 's/^[^-]*//' | sort -u
}

# The page as plain text: escapes and font changes gone, comments dropped.
plain_page() {
    sed -e '/^\.\\"/d' -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\(dq/"/g' "$1"
}

# The text of the page's named sections (OPTIONS, COMMANDS): what the page
# documents as its own, not the commands of other programs it quotes.
page_sections() {
    plain_page "$1" | awk '
        /^\.SH / { keep = ($2 == "OPTIONS" || $2 == "COMMANDS"); next }
        keep'
}

# vexor-cli's commands in --help: "  name [sub]" lines of the Commands part.
help_commands() {
    awk '/^Commands/ { on = 1; next } on && /^$/ { on = 0 } on && /^  [a-z]/' |
        sed -E 's/^  //' | grep -oE '^[a-z][a-z-]*( [a-z][a-z|-]*)?' | sort -u
}

# The page's commands: the first line of each entry of COMMANDS, its leading
# lower-case words.
page_commands() {
    plain_page "$1" | awk '
        /^\.SH / { on = ($2 == "COMMANDS"); next }
        on && prev == ".TP" { print }
        { prev = $0 }' |
        sed -E 's/^\.B[IR]? //; s/"//g' | grep -oE '^[a-z][a-z-]*( [a-z][a-z|-]*)?' | sort -u
}

compare() { # WHAT PROGRAM FROM-HELP FROM-PAGE
    local missing extra
    missing=$(comm -23 <(printf '%s\n' "$3") <(printf '%s\n' "$4") | sed '/^$/d')
    extra=$(comm -13 <(printf '%s\n' "$3") <(printf '%s\n' "$4") | sed '/^$/d')
    if [ -n "$missing" ]; then
        echo "FAIL: $2 --help names $1 its manual page lacks:" $missing
        failures=$((failures + 1))
    fi
    if [ -n "$extra" ]; then
        echo "FAIL: the manual page of $2 names $1 --help does not know:" $extra
        failures=$((failures + 1))
    fi
}

for program in "$@"; do
    name=$(basename "$program")
    page=$man/$name.1
    if [ ! -f "$page" ]; then
        echo "FAIL: no manual page $page"
        failures=$((failures + 1))
        continue
    fi
    help=$("$program" --help 2>&1 </dev/null)
    if [ -z "$help" ]; then
        echo "FAIL: $name --help printed nothing"
        failures=$((failures + 1))
        continue
    fi
    compare options "$name" "$(printf '%s\n' "$help" | options)" "$(page_sections "$page" | options)"
    if [ "$name" = vexor-cli ]; then
        compare commands "$name" "$(printf '%s\n' "$help" | help_commands)" "$(page_commands "$page")"
    fi
done

[ "$failures" -eq 0 ] && echo "manual pages: every option and command documented"
[ "$failures" -eq 0 ]
