#!/usr/bin/env bash
# `keldwick --help` or `--version` as a person types it: the answer on standard
# output, nothing on standard error, status 0, no display needed and nothing
# written into the current folder.
set -euo pipefail
program="$1"
request="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
status=0
timeout -k 2 20 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$request" \
  >"$work.out" 2>"$work.err" || status=$?
trap 'rm -rf "$work" "$work.out" "$work.err"' EXIT
cat "$work.out"
[[ $status -eq 0 ]] || { echo "status $status" >&2; exit 1; }
[[ -s "$work.err" ]] && { echo "standard error: $(cat "$work.err")" >&2; exit 1; }
case "$request" in
  --help) grep -q '^usage: keldwick' "$work.out" || { echo "no usage line" >&2; exit 1; } ;;
  --version) grep -qE '^keldwick [0-9]+\.[0-9]+' "$work.out" || { echo "no version" >&2; exit 1; } ;;
esac
[[ -z "$(ls -A)" ]] || { echo "files left behind: $(ls -A)" >&2; exit 1; }
echo "$request: answered on standard output, status 0"
