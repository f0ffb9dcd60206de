#!/bin/sh
# Fails when the folders of src/core include each other in a circle. An arrow
# A -> B means a file in A includes "B/...". Folders that lean on each other
# can no longer be understood, tested or moved one at a time, so every arrow
# must point one way.
#
# Usage: tools/include-cycles.sh [CORE_DIR]   (default: src/core beside this script)
set -eu

core=${1:-$(dirname "$0")/../src/core}
if [ ! -d "$core" ]; then
    echo "include-cycles: no folder $core" >&2
    exit 2
fi

edges=$(mktemp)
trap 'rm -f "$edges" "$edges.err"' EXIT

# One "FROM TO" line per arrow between two different top folders of core.
for dir in "$core"/*/; do
    from=$(basename "$dir")
    grep -rhoE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[A-Za-z0-9_]+/' "$dir" 2>/dev/null |
        sed -E 's/.*"([A-Za-z0-9_]+)\//\1/' |
        while read -r to; do
            if [ "$to" != "$from" ] && [ -d "$core/$to" ]; then
                echo "$from $to"
            fi
        done
done | sort -u >"$edges"

# tsort names the folders it finds in a circle on stderr.
if ! tsort <"$edges" >/dev/null 2>"$edges.err"; then
    echo "include-cycles: the folders of $core include each other in a circle:" >&2
    sed -e 's/^tsort: -: input contains a loop:/  circle:/' -e 's/^tsort: /    /' "$edges.err" >&2
    echo "arrows (folder -> folder it includes):" >&2
    sed 's/ / -> /; s/^/  /' "$edges" >&2
    exit 1
fi
echo "include-cycles: $(wc -l <"$edges") arrows between the folders of core, no circle"
