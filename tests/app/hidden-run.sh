#!/usr/bin/env bash
# The login-script path as a login script takes it: the real program, no
# display, a folder of its own. It must end by itself with status 0, leave
# the report, and never map a GUI library; asked for its status, it ends with
# the one for UNKNOWN, as this machine holds no driver.
set -euo pipefail
program="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
printf '[OLD]\r\nVERSION=stale\r\n' > KELDWICK.INI
timeout -k 2 20 env -u DISPLAY -u WAYLAND_DISPLAY "$program" hide
printf '[VREDIR.VXD]\r\nISWIN95=NO\r\n' > "$work.expected"
trap 'rm -rf "$work" "$work.expected"' EXIT
cmp -s KELDWICK.INI "$work.expected" || { echo "unexpected report:" >&2; od -c KELDWICK.INI >&2; exit 1; }
if ldd "$program" | grep -qiE 'libQt|libxcb'; then echo "the program links a GUI library" >&2; exit 1; fi
ls -A | grep -qv '^KELDWICK.INI$' && { echo "files left behind: $(ls -A)" >&2; exit 1; }
status=0
timeout -k 2 20 env -u DISPLAY -u WAYLAND_DISPLAY "$program" /HIDE/STATUS || status=$?
[[ $status -eq 4 ]] || { echo "status $status with /STATUS, not 4 (UNKNOWN)" >&2; exit 1; }
echo "hidden run: report written, status 0 (4 with /STATUS), no GUI library"
