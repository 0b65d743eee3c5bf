#!/usr/bin/env bash
# Runs the Windows suite under Wine in a private prefix that is made here and
# removed afterwards, so no run depends on a prefix left on the machine.
# Usage: run-under-wine.sh <versions> <win32_tests.exe> <keldwick.exe> [test arguments...]
#   versions  Windows versions the prefix is set to in turn, comma-separated:
#             win95, win98, winme (the 95 family, platform id 1), nt40, winxp, win10
#             (the NT family, platform id 2). One prefix serves them all: the
#             version is a registry value that Wine reads when a program starts.
# Shown windows need an X display: without DISPLAY a private Xvfb is started.
set -euo pipefail

versions=$1 tests=$2 program=$3
shift 3
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
xvfb=""
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    [[ -n "$xvfb" ]] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

if [[ -z "${DISPLAY:-}" ]]; then
    # Xvfb picks a free display itself and names it once it accepts clients.
    ready=$(mktemp -u)
    mkfifo "$ready"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" 2>/dev/null &
    xvfb=$!
    number=""
    read -r -t 10 number <"$ready" || true
    rm -f "$ready"
    [[ -n "$number" ]] || { echo "Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$number"
fi

started=$SECONDS
booted=false
# Two prefixes booting side by side have failed to start: boots take turns,
# whatever runs in the prefixes afterwards (-o: the wineserver that the boot
# leaves running must not inherit the lock).
for attempt in 1 2 3; do
    if flock -o "${TMPDIR:-/tmp}/keldwick-wineboot.lock" "$wine" wineboot -i >"$WINEPREFIX.boot.log" 2>&1; then
        booted=true
        break
    fi
    echo "wineboot failed (attempt $attempt):" >&2
    tail -n 5 "$WINEPREFIX.boot.log" >&2
    "$wineserver" -k 2>/dev/null || true
done
rm -f "$WINEPREFIX.boot.log"
$booted || exit 1
echo "prefix ready in $((SECONDS - started)) s"

# Wine shows the Unix file system as drive Z:.
export KELDWICK_PROGRAM="Z:${program//\//\\}"
status=0
for version in ${versions//,/ }; do
    "$wine" reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
    echo "== Windows version: $version"
    KELDWICK_WINE_VERSION="$version" "$wine" "$tests" "$@" || status=1
done
exit $status
