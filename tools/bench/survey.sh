#!/usr/bin/env bash
# keldwick-survey over a fleet: 10,000 reports, each in a home folder of its
# own as a server keeps them (one in fifty deeper down, one in seven named in
# lower case, one in a hundred not a report), timed warm with hyperfine: the
# folders and files are in the system's cache, as on a second survey. Prints
# the median and the other figures, the load of the machine, and whether the
# median is within the budget of one second.
# Needs: scripts/install-deps build bench (cmake, a compiler, hyperfine).
# Usage: tools/bench/survey.sh [folder-to-build-in [program]]   (RUNS=20, REPORTS=10000)
set -euo pipefail
case "${1:-}" in
  --help) echo "usage: tools/bench/survey.sh [folder-to-build-in [program]]   (RUNS=20, REPORTS=10000 by default)"
          echo "Times keldwick-survey, warm, over a generated fleet of reports made inside the given folder."
          exit 0 ;;
  -*) echo "survey.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
esac
runs="${RUNS:-20}"
reports="${REPORTS:-10000}"
budget_ms=1000

root="$(cd "$(dirname "$0")/../.." && pwd)"
"$root/scripts/install-deps" build bench
(cd "$root" && cmake --preset release >/dev/null && cmake --build --preset release --target keldwick-survey >/dev/null)
program="${2:-$root/build/release/survey/keldwick-survey}"
work="$(mktemp -d "${1:-${TMPDIR:-/tmp}}/keldwick-survey.XXXXXX")"
trap 'rm -rf "$work"' EXIT
echo "folder: $work ($(stat -f -c %T "$work"))"

# The folders first, in one call; then the files, written by the shell itself.
folder_of() {
  local home="$work/homes/user$1"
  if (( $1 % 50 == 0 )); then echo "$home/profile/windows/desktop"; else echo "$home"; fi
}
for ((i = 0; i < reports; i++)); do folder_of $i; done | xargs mkdir -p
for ((i = 0; i < reports; i++)); do
  name=KELDWICK.INI
  (( i % 7 == 0 )) && name=keldwick.ini
  case $(( i % 100 )) in
    1) text='[Windows]\r\nload=\r\n' ;;
    2) text='\x7fELF\x01\x01\x00\x00' ;;
    3) text='[VREDIR.VXD]\r\nISWIN95=PERHAPS\r\n' ;;
    *) if (( i % 4 == 0 )); then text='[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.950\r\n'
       elif (( i % 13 == 0 )); then text='[VREDIR.VXD]\r\nISWIN95=NO\r\nVERSION=4.00.1116\r\n'
       elif (( i % 17 == 0 )); then text='[VREDIR.VXD]\r\nISWIN95=YES\r\n'
       else text='[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n'; fi ;;
  esac
  printf "$text" >"$(folder_of $i)/$name"
done

# One run to show what is surveyed (and to fill the caches); its status tells of upgrades and odd files.
"$program" "$work/homes" >"$work/survey.txt" || true
tail -n 6 "$work/survey.txt"
rows=$(($(grep -c . "$work/survey.txt") - 7))
[[ $rows -eq $reports ]] || { echo "survey.sh: $rows rows for $reports reports" >&2; exit 1; }

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
# -i: the survey's status is not 0 when machines need the upgrade, as here.
hyperfine -N -i --style basic --warmup 3 --runs "$runs" --export-json "$work/times.json" \
  "$program $work/homes" "$program --json $work/homes" >/dev/null 2>"$work/hyperfine.log" ||
  { cat "$work/hyperfine.log" >&2; exit 1; }
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
python3 - "$work/times.json" "$budget_ms" <<'PY'
import json, os, sys
budget = float(sys.argv[2])
over = False
for r in json.load(open(sys.argv[1]))["results"]:
    median = r["median"] * 1000
    words = r["command"].split()
    label = " ".join([os.path.basename(words[0])] + words[1:-1])
    print(f"{label:<24}"
          f" median {median:7.1f} ms  min {r['min'] * 1000:7.1f}  max {r['max'] * 1000:7.1f}"
          f"  user {r['user'] * 1000:6.1f}  system {r['system'] * 1000:6.1f}  ({len(r['times'])} runs)")
    over = over or median > budget
print(f"budget {budget:.0f} ms: {'exceeded' if over else 'met'}")
sys.exit(1 if over else 0)
PY
echo "load average before: $load_before; after: $load_after; processors: $(nproc); $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
