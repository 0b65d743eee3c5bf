#!/usr/bin/env bash
# A tool asked for --help, as a person asks it: its usage on standard output,
# status 0, and nothing written where it runs (a folder named "--help" least of all).
set -euo pipefail
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work" "$work.out"' EXIT
cd "$work"
status=0
timeout -k 2 20 "$tool" --help >"$work.out" 2>/dev/null || status=$?
cat "$work.out"
[[ $status -eq 0 ]] || { echo "status $status" >&2; exit 1; }
grep -q '^usage: ' "$work.out" || { echo "no usage line on standard output" >&2; exit 1; }
[[ -z "$(ls -A)" ]] || { echo "written where it ran: $(ls -A)" >&2; exit 1; }
