#!/usr/bin/env bash
# Runs bash's completion for vexor-cli on partial command lines, as pressing
# TAB would, and checks what it offers; zsh's and fish's too where installed.
#   completion_test.sh VEXOR_CLI COMPLETION_FOLDER
set -uo pipefail
cli=$1
scripts=$2
# shellcheck source=/dev/null
source "$scripts/vexor-cli.bash"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Completes LINE (the cursor at its end) and prints the offers, one a line.
# bash itself splits the line also at '=' and ':'; COMP_WORDS does so too.
offers() {
    local IFS=$' \t\n'
    COMP_LINE="$cli $1"
    COMP_POINT=${#COMP_LINE}
    COMP_WORDS=()
    read -ra COMP_WORDS <<<"${COMP_LINE//[=:]/ & }"
    [[ $COMP_LINE =~ [[:space:]=:]$ ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _vexor_cli
    printf '%s\n' "${COMPREPLY[@]}" | sort
}

expect() { # LINE EXPECTED-OFFERS (space-separated, sorted)
    local got
    got=$(offers "$1" | tr '\n' ' ' | sed 's/ $//')
    if [ "$got" != "$2" ]; then
        echo "FAIL: '$1' offered [$got], expected [$2]"
        failures=$((failures + 1))
    fi
}

expect_has() { # LINE WORD
    if ! offers "$1" | grep -qxF -- "$2"; then
        echo "FAIL: '$1' did not offer $2: [$(offers "$1" | tr '\n' ' ')]"
        failures=$((failures + 1))
    fi
}

# Commands, sub-commands and options come from the program's own table.
expect "sett" "settings"
expect "settings s" "save set show"
expect "switch " "auto gas petrol"
expect "--no-sys" "--no-system-ports"
expect "--json --no-system-ports ba" "backups"
expect "live --r" "--record"
expect "settings diff --a" "--all"
expect "backups r" "restore"
# After "--" a word is no option.
expect "settings save -- --a" ""

# Serial devices after --port: the port table, with the paths given so far.
expect "--no-system-ports -p /tmp/one --port " "/tmp/one"
expect "--no-system-ports --port=/tmp/one --port=/tmp/o" "/tmp/one"

# Backup IDs after `backups restore`, from the data folder given.
mkdir -p "$work/data/backups/GAS1000042"
echo x >"$work/data/backups/GAS1000042/20261208-101500-load.xset"
echo x >"$work/data/backups/GAS1000042/20261208-101600-map.xset"
expect "--data-dir $work/data backups restore G" \
    "GAS1000042/20261208-101500-load GAS1000042/20261208-101600-map"

# Settings-file keys after `settings set FILE`, in every KEY position.
expect_has "settings set car.xset m_base.m_switchR" "m_base.m_switchRPM"
expect "settings set car.xset m_base.m_switchRPM " ""
expect_has "settings set car.xset m_base.m_switchRPM 1500 m_base.m_switchT" "m_base.m_switchTempr"
expect "settings set car.xset m_devInfo.m_ser" ""

# Files where a file is wanted, folders where a folder is.
: >"$work/drive.txt"
mkdir -p "$work/folder"
expect "live --record $work/dr" "$work/drive.txt"
expect "--data-dir $work/fo" "$work/folder"
expect "settings load $work/dr" "$work/drive.txt"

# zsh and fish relay to the same answers: one line of each, where installed.
bindir=$(dirname "$cli")
if command -v zsh >/dev/null 2>&1; then
    got=$(PATH="$bindir:$PATH" zsh -f -c '
        compadd() { shift; print -l -- "$@"; }
        _files() { print "FILES $*"; }
        words=(vexor-cli settings s) CURRENT=3
        source "$1"' zsh "$scripts/_vexor-cli" | sort | tr '\n' ' ')
    [ "$got" = "save set show " ] || { echo "FAIL: zsh offered [$got]"; failures=$((failures + 1)); }
fi
if command -v fish >/dev/null 2>&1; then
    got=$(PATH="$bindir:$PATH" fish --no-config -c 'source $argv[1]; complete -C "vexor-cli switch "' \
        "$scripts/vexor-cli.fish" | sort | tr '\n' ' ')
    [ "$got" = "auto gas petrol " ] || { echo "FAIL: fish offered [$got]"; failures=$((failures + 1)); }
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "completion: all offers as expected"
