#!/usr/bin/env bash
# A plain `cmake -B build` of the sources, as someone who installs the program
# runs it: with Qt 6 present it builds the window module too; without Qt
# (hidden from CMake here) the hidden program alone, and configuring says so.
# Usage: plain-configure.sh <source folder> with-qt|without-qt
set -euo pipefail
source="$1"
mode="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
args=()
[[ $mode == without-qt ]] && args+=(-DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON)
cmake -S "$source" -B "$work/build" -G Ninja "${args[@]}" >"$work/out" 2>&1 || { cat "$work/out"; exit 1; }
cat "$work/out"
targets="$(ninja -C "$work/build" -t targets all)"
grep -q '^app/keldwick:' <<<"$targets" || { echo "no program to build" >&2; exit 1; }
grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$work/build/CMakeCache.txt" || { echo "not an optimised build" >&2; exit 1; }
if [[ $mode == with-qt ]]; then
  grep -q '^app/keldwick-qt.so:' <<<"$targets" || { echo "no window module to build" >&2; exit 1; }
else
  grep -q 'keldwick-qt.so' <<<"$targets" && { echo "a window module without Qt" >&2; exit 1; }
  grep -q 'only the hidden program is built' "$work/out" || { echo "configuring did not say so" >&2; exit 1; }
fi
echo "plain configure $mode: as expected"
