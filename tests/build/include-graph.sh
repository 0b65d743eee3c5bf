#!/usr/bin/env bash
# The include graph between the source folders, an edge a line ("ui check":
# a file in ui/ includes a header in check/), from every #include "..." that
# names a file of the tree. Fails when the graph has a loop: no folder may
# include a folder that includes it back (docs/architecture.md).
# Usage: include-graph.sh SOURCE_DIR
set -euo pipefail
[[ $# -eq 1 && $1 != --help ]] || { sed -n '2,6s/^# \{0,1\}//p' "$0"; [[ $# -eq 1 ]]; exit; }
cd "$1"

edges=$(
    find app ui check survey platform tools tests -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.c' \) |
        while read -r file; do
            folder=$(dirname "$file")
            sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file" |
                while read -r included; do
                    if [[ -f "$folder/$included" ]]; then
                        target=$(realpath -m --relative-to=. "$folder/$included")
                    elif [[ -f "$included" ]]; then
                        target=$included
                    else
                        continue
                    fi
                    [[ $(dirname "$target") == "$folder" ]] || echo "$folder $(dirname "$target")"
                done
        done | sort -u
)
echo "$edges"
if ! echo "$edges" | tsort >/dev/null 2>&1; then
    echo "include-graph: these folders include each other in a loop:" >&2
    echo "$edges" | tsort 2>&1 >/dev/null | grep -v 'input contains a loop' >&2
    exit 1
fi
