#!/usr/bin/env bash
# Whole hidden runs (the login-script path) beside /bin/true, in a scratch
# folder on the given file system (default: the system's temporary folder),
# and the peak resident memory of one run.
# Needs: hyperfine and GNU time (apt-get install hyperfine time).
# Usage: tools/bench/hidden-run.sh [folder-to-run-in]
set -euo pipefail
case "${1:-}" in
  --help) echo "usage: tools/bench/hidden-run.sh [folder-to-run-in]   (RUNS=1000 by default)"
          echo "Times hidden runs against /bin/true in a scratch folder made inside the given folder."
          exit 0 ;;
  -*) echo "hidden-run.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
esac
root="$(cd "$(dirname "$0")/../.." && pwd)"
runs="${RUNS:-1000}"

command -v hyperfine >/dev/null || { echo "hidden-run.sh: needs hyperfine" >&2; exit 2; }
(cd "$root" && cmake --preset release >/dev/null && cmake --build --preset release --target keldwick >/dev/null)
program="$root/build/release/app/keldwick"

work="$(mktemp -d "${1:-${TMPDIR:-/tmp}}/keldwick-hidden.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cd "$work"
env -u DISPLAY -u WAYLAND_DISPLAY hyperfine -N --warmup 50 --runs "$runs" --export-json times.json \
  "$program HIDE" /bin/true >/dev/null
python3 - <<'PY'
import json
results = json.load(open("times.json"))["results"]
for r in results:
    print(f"{r['command']:<60} median {r['median'] * 1000:6.3f} ms")
print(f"ratio of medians: {results[0]['median'] / results[1]['median']:.2f}")
PY
/usr/bin/time -f "peak resident memory of one hidden run: %M KiB" "$program" HIDE
if ldd "$program" | grep -qi qt; then echo "the program maps Qt libraries" >&2; exit 1; fi
echo "the program maps no Qt library"
