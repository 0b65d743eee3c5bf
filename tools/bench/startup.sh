#!/usr/bin/env bash
# Time from start until the first status window shows its results, under
# Xvfb, beside two yardsticks on Qt Widgets: "minimal", the smallest program
# that shows one window (it ends before that window is ever painted), and
# "plain", the program's two windows built directly on Qt (menus, window
# area, status-bar zones, a status window with its text painted), with no
# window layer, module, threads, icon or check. The hidden run is timed for
# reference. Rounds rotate the order of the programs so that a busy moment of
# the machine does not fall on one of them alone; the medians are taken over
# all rounds' runs.
#
# The figures to quote are the ratio lines: medians of whole runs, from the
# start of each process to its end, as hyperfine times them. "keldwick /
# minimal" is the start-up goal's measure; "plain / minimal" is what Qt
# itself needs for these windows beyond one unpainted window, and "keldwick /
# plain" what the program adds to that. The breakdown below them comes from
# separate runs of the same programs, each noting when it got how far (ms
# from its start):
#   loaded   the window module loaded and its application object made
#            (yardsticks: their application object made)
#   shown    the frame told to show (minimal: its window)
#   results  the first status window's results painted (plain: its last value)
#   ended    the end of main, the toolkit shut down
# Xvfb alone has no session bus: Qt then waits, when it first asks for one,
# for the bus library's attempt to start a bus. SESSION_BUS=1 runs every
# program inside a session bus of its own (dbus-run-session), as on a desktop.
# Needs: scripts/install-deps qt, and hyperfine. ROUNDS, RUNS (timed runs per
# round) and MILESTONE_RUNS (per round) set the counts.
set -euo pipefail
case "${1:-}" in
  --help) echo "usage: tools/bench/startup.sh   (ROUNDS=5 RUNS=40 MILESTONE_RUNS=10 SESSION_BUS=0 by default; builds into build/bench-qt)"
          echo "Times the desktop program's start until its first results against a minimal Qt window and"
          echo "against its own windows built directly on Qt, and breaks it down: module loaded, frame shown,"
          echo "first results, end."
          exit 0 ;;
  "") ;;
  *) echo "startup.sh: takes no parameters (see --help)" >&2; exit 2 ;;
esac
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$root/build/bench-qt"
rounds="${ROUNDS:-5}"
runs="${RUNS:-40}"
milestoneRuns="${MILESTONE_RUNS:-10}"
bus=()
if [[ "${SESSION_BUS:-0}" == 1 ]]; then
  command -v dbus-run-session >/dev/null || { echo "startup.sh: SESSION_BUS=1 needs dbus-run-session (apt-get install dbus-daemon)" >&2; exit 2; }
  bus=(dbus-run-session --)
fi

command -v hyperfine >/dev/null || { echo "startup.sh: needs hyperfine (apt-get install hyperfine)" >&2; exit 2; }
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DKELDWICK_QT=ON -DKELDWICK_TESTS=OFF >/dev/null
cmake --build "$build" --target keldwick keldwick_qt keldwick_startup_probe minimal_qt_window plain_qt_windows \
  keldwick_build_share

# The check writes its report into the current folder.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
: >"$work/milestones.txt"
export XDG_DATA_DIRS="$build/share:/usr/local/share:/usr/share"

names=(minimal plain keldwick hidden)
commands=("$build/tools/bench/minimal_qt_window"
          "$build/tools/bench/plain_qt_windows"
          "$build/tools/bench/keldwick_startup_probe $build/app/keldwick-qt.so"
          "$build/app/keldwick HIDE")
cat >"$work/rounds.sh" <<ROUNDS
set -e
for round in \$(seq 1 $rounds); do
  args=()
  for i in \${!NAMES[@]}; do
    k=\$(( (i + round) % \${#NAMES[@]} ))
    args+=(-n "\${NAMES[k]}" "\${COMMANDS[k]}")
  done
  hyperfine -N --style basic --warmup 5 --runs $runs --export-json "$work/round\$round.json" "\${args[@]}" >/dev/null
  # The same programs but the last, the hidden run, which notes none: each told
  # when it started so that it notes its milestones.
  noting=\$(( \${#NAMES[@]} - 1 ))
  for (( i = 0; i < noting; ++i )); do
    k=\$(( (i + round) % noting ))
    for run in \$(seq 1 $milestoneRuns); do
      bash -c 'export KELDWICK_BENCH_STARTED=\$EPOCHREALTIME; exec "\$0" "\$@"' \${COMMANDS[k]} 2>/dev/null \
        | grep '^milestones ' >>"$work/milestones.txt"
    done
  done
done
ROUNDS
# -noreset: the server would otherwise reset after each run's last client leaves.
NAMES="${names[*]}" xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "${bus[@]}" \
  bash -c "NAMES=(\$NAMES); COMMANDS=($(printf '%q ' "${commands[@]}")); source $work/rounds.sh"

python3 - "$work/milestones.txt" "$work"/round*.json <<'PY'
import json, statistics, sys
times = {}
for path in sys.argv[2:]:
    for result in json.load(open(path))["results"]:
        times.setdefault(result["command"], []).extend(result["times"])
medians = {name: statistics.median(values) * 1000 for name, values in times.items()}
for name in ("minimal", "plain", "keldwick", "hidden"):
    print(f"{name:9s} median {medians[name]:6.1f} ms over {len(times[name])} runs")
for top, bottom in (("keldwick", "minimal"), ("plain", "minimal"), ("keldwick", "plain")):
    print(f"{top} / {bottom}: {medians[top] / medians[bottom]:.2f}")

marks = ("loaded", "shown", "results", "ended")
noted = {}
for line in open(sys.argv[1]):
    fields = line.split()
    noted.setdefault(fields[1], []).append(fields[2:])
print(f"\nms from the start, medians{'':6s}" + "".join(f"{mark:>9s}" for mark in marks))
for name in ("minimal", "plain", "keldwick"):
    runs = noted.get(name, [])
    cells = []
    for column in range(len(marks)):
        values = [float(run[column]) for run in runs if run[column] != "-"]
        cells.append(f"{statistics.median(values):9.1f}" if values else f"{'-':>9s}")
    print(f"{name:9s} over {len(runs):3d} runs{'':11s}" + "".join(cells))
PY
