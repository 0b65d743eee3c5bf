#!/usr/bin/env bash
# `cmake --install` of this build into a fresh prefix gives the desktop
# program whole: the installed program finds its window module (which then
# says there is no display here, instead of the program saying the module is
# missing), its help, launcher and icons.
# Usage: installed-program.sh <build folder>
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/keldwick bin/keldwick-survey share/keldwick/help/index.html share/applications/org.keldwick.Keldwick.desktop \
            share/icons/hicolor/48x48/apps/org.keldwick.Keldwick.png; do
  [[ -f "$prefix/$file" ]] || { echo "not installed: $file" >&2; find "$prefix" >&2; exit 1; }
done
status=0
out="$(cd "$prefix" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/keldwick" 2>&1)" || status=$?
echo "$out"
[[ $status -eq 1 ]] || { echo "status $status" >&2; exit 1; }
grep -q 'no graphical display' <<<"$out" || { echo "the installed program did not load its module" >&2; exit 1; }
"$prefix/bin/keldwick-survey" --version | grep -q '^keldwick-survey ' || { echo "the installed survey does not run" >&2; exit 1; }
echo "installed program: module, help, launcher, icons and the survey in place"
