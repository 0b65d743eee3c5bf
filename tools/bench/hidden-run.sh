#!/usr/bin/env bash
# Whole hidden runs (the login-script path) beside /bin/true, in a scratch
# folder on the given file system (default: the system's temporary folder)
# that holds a driver, so that the report gets both of its entries. Then the
# flushes to disk that one run makes, and its peak resident memory.
# Needs: hyperfine and GNU time (apt-get install hyperfine time); strace to
# count the flushes.
# Usage: tools/bench/hidden-run.sh [folder-to-run-in [program]]
set -euo pipefail
case "${1:-}" in
  --help) echo "usage: tools/bench/hidden-run.sh [folder-to-run-in [program]]   (RUNS=1000 by default)"
          echo "Times hidden runs against /bin/true in a scratch folder made inside the given folder."
          exit 0 ;;
  -*) echo "hidden-run.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
esac
runs="${RUNS:-1000}"

command -v hyperfine >/dev/null || { echo "hidden-run.sh: needs hyperfine" >&2; exit 2; }
source "$(dirname "$0")/driver-folder.sh"
driver_folder hidden "$@"
env -u DISPLAY -u WAYLAND_DISPLAY hyperfine -N --warmup 50 --runs "$runs" --export-json times.json \
  "$program HIDE" /bin/true >/dev/null
python3 - <<'PY'
import json
results = json.load(open("times.json"))["results"]
for r in results:
    print(f"{r['command']:<60} median {r['median'] * 1000:6.3f} ms")
print(f"ratio of medians: {results[0]['median'] / results[1]['median']:.2f}")
PY
grep -q 'VERSION=4.00.1116' KELDWICK.INI || { echo "the report lacks the driver's version" >&2; exit 1; }
if command -v strace >/dev/null; then
  echo "flushes to disk in one run: $(strace -f -qq -e trace=fsync,fdatasync -o /dev/stdout "$program" HIDE | grep -c sync)"
fi
/usr/bin/time -f "peak resident memory of one hidden run: %M KiB" "$program" HIDE
if ldd "$program" | grep -qi qt; then echo "the program maps Qt libraries" >&2; exit 1; fi
echo "the program maps no Qt library"
