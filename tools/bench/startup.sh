#!/usr/bin/env bash
# Time from start until the first status window shows its results, under
# Xvfb, beside a minimal Qt Widgets program that shows one window, and the
# hidden run for reference. Rounds rotate the order of the programs so that
# a busy moment of the machine does not fall on one of them alone; the
# medians are taken over all rounds' runs.
# Needs: scripts/install-deps qt, and hyperfine. ROUNDS and RUNS (per round) set the counts.
set -euo pipefail
case "${1:-}" in
  --help) echo "usage: tools/bench/startup.sh   (ROUNDS=5 RUNS=40 by default; builds into build/bench-qt)"
          echo "Times the desktop program's start until its first results against a minimal Qt window."
          exit 0 ;;
  "") ;;
  *) echo "startup.sh: takes no parameters (see --help)" >&2; exit 2 ;;
esac
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$root/build/bench-qt"
rounds="${ROUNDS:-5}"
runs="${RUNS:-40}"

command -v hyperfine >/dev/null || { echo "startup.sh: needs hyperfine (apt-get install hyperfine)" >&2; exit 2; }
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DKELDWICK_QT=ON -DKELDWICK_TESTS=OFF >/dev/null
cmake --build "$build" --target keldwick keldwick_qt keldwick_startup_probe minimal_qt_window keldwick_build_share

# The check writes its report into the current folder.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
export XDG_DATA_DIRS="$build/share:/usr/local/share:/usr/share"

names=(minimal keldwick hidden)
commands=("$build/tools/bench/minimal_qt_window"
          "$build/tools/bench/keldwick_startup_probe $build/app/keldwick-qt.so"
          "$build/app/keldwick HIDE")
cat >"$work/rounds.sh" <<ROUNDS
set -e
for round in \$(seq 1 $rounds); do
  args=()
  for i in 0 1 2; do
    k=\$(( (i + round) % 3 ))
    args+=(-n "\${NAMES[k]}" "\${COMMANDS[k]}")
  done
  hyperfine -N --style basic --warmup 5 --runs $runs --export-json "$work/round\$round.json" "\${args[@]}" >/dev/null
done
ROUNDS
# -noreset: the server would otherwise reset after each run's last client leaves.
NAMES="${names[*]}" xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  bash -c "NAMES=(\$NAMES); COMMANDS=($(printf '%q ' "${commands[@]}")); source $work/rounds.sh"

python3 - "$work"/round*.json <<'PY'
import json, statistics, sys
times = {}
for path in sys.argv[1:]:
    for result in json.load(open(path))["results"]:
        times.setdefault(result["command"], []).extend(result["times"])
medians = {name: statistics.median(values) * 1000 for name, values in times.items()}
for name in ("minimal", "keldwick", "hidden"):
    print(f"{name:9s} median {medians[name]:6.1f} ms over {len(times[name])} runs")
print(f"keldwick / minimal: {medians['keldwick'] / medians['minimal']:.2f}")
PY
