#!/bin/sh
# Feeds tools/include-cycles.sh small made-up core trees: it must fail on a
# circle (two folders, and three) and name its folders, and pass a tree whose
# arrows point one way, whatever else the files include.
#   include_cycles_test.sh <path of include-cycles.sh>
set -u

checker=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# tree NAME "FROM:TO" ... : a core folder whose FROM/File.cpp includes "TO/X.h".
tree() {
    dir=$root/$1
    shift
    mkdir -p "$dir"
    for arrow in "$@"; do
        from=${arrow%%:*}
        to=${arrow#*:}
        mkdir -p "$dir/$from" "$dir/$to"
        printf '#include "%s/X.h"\n' "$to" >>"$dir/$from/File.cpp"
    done
}

tree oneway a:b b:c a:c
# Same-folder, system and unknown-folder includes are no arrows.
printf '#include "a/Own.h"\n#include <vector>\n#include "gtest/gtest.h"\n#include "Near.h"\n' \
    >>"$root/oneway/a/File.cpp"
if ! sh "$checker" "$root/oneway" >/dev/null 2>&1; then
    fail "a tree without a circle was refused"
fi

tree pair a:b b:a c:a
if out=$(sh "$checker" "$root/pair" 2>&1); then
    fail "a -> b -> a passed"
else
    case $out in
    *circle*) ;;
    *) fail "the report of a -> b -> a does not say circle: $out" ;;
    esac
fi

tree three a:b b:c c:a
if out=$(sh "$checker" "$root/three" 2>&1); then
    fail "a -> b -> c -> a passed"
else
    for folder in a b c; do
        printf '%s\n' "$out" | grep -qx "    $folder" || fail "the circle report does not name $folder: $out"
    done
fi

# A circle through a header only, with the include indented.
mkdir -p "$root/header/a" "$root/header/b"
printf '#include "b/X.h"\n' >"$root/header/a/A.h"
printf '#pragma once\n  #  include "a/A.h"\n' >"$root/header/b/B.h"
if sh "$checker" "$root/header" >/dev/null 2>&1; then
    fail "a circle through headers passed"
fi

if sh "$checker" "$root/missing" >/dev/null 2>&1; then
    fail "a missing folder passed"
fi

[ "$failures" -eq 0 ] && echo "include-cycles checker: all cases behave"
exit "$failures"
