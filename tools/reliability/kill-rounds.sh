#!/usr/bin/env bash
# Kills hidden runs with SIGKILL and looks at the report each one leaves: none,
# the old whole report, the new whole report, or part of one (a failure).
#   random rounds: each run is killed after a random delay within its usual
#                  length (ROUNDS of them, default 1000);
#   every call:    with strace, each run is killed at one system call, the
#                  k-th call of one kind in any thread, for every kind and k
#                  that a whole run makes.
# The folder holds a driver, so a whole new report has both entries. Killed
# runs may leave temporary files; they are counted, and the sweep of a later
# run removes them once they are old.
# Needs: python3; strace for the second part.
# Usage: tools/reliability/kill-rounds.sh [folder-to-run-in [program]]
set -euo pipefail
case "${1:-}" in
  --help) echo "usage: tools/reliability/kill-rounds.sh [folder-to-run-in [program]]   (ROUNDS=1000 by default)"
          echo "Kills hidden runs at random moments and at every system call, and sorts the reports they leave."
          exit 0 ;;
  -*) echo "kill-rounds.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
esac
export ROUNDS="${ROUNDS:-1000}"
source "$(dirname "$0")/../bench/driver-folder.sh"
driver_folder kill "$@"
env -u DISPLAY -u WAYLAND_DISPLAY python3 - "$program" <<'PY'
import collections, os, random, re, shutil, signal, statistics, subprocess, sys, time

program = sys.argv[1]
rounds = int(os.environ["ROUNDS"])
report = "KELDWICK.INI"
old = b"[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=an old run\r\n"

def put_old():
    with open(".old", "wb") as f:
        f.write(old)
    os.replace(".old", report)

def run(argv):
    return subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

# The first runs after a build meet a disk still writing the build out.
durations = []
for _ in range(60):
    start = time.perf_counter()
    if run([program, "HIDE"]).wait() != 0:
        sys.exit("a whole run did not end with status 0")
    durations.append(time.perf_counter() - start)
durations = durations[20:]
new = open(report, "rb").read()
if not new.startswith(b"[VREDIR.VXD]\r\n") or b"VERSION=4.00.1116\r\n" not in new:
    sys.exit(f"unexpected whole report: {new!r}")
usual = statistics.median(durations)

def classify():
    try:
        text = open(report, "rb").read()
    except FileNotFoundError:
        return "none"
    if text == old:
        return "old whole"
    if text == new:
        return "new whole"
    return "partial"

def temporaries():
    return sum(1 for name in os.listdir(".") if re.fullmatch(r"\.KELDWICK\.INI\.[a-z0-9]{8}\.tmp", name))

def tally(title, outcomes, killed):
    print(f"{title}: {sum(outcomes.values())} rounds, {killed} killed")
    for kind in ("none", "old whole", "new whole", "partial"):
        print(f"  {kind:<10} {outcomes.get(kind, 0)}")
    print(f"  temporary files left by killed runs: {temporaries()}")

failed = False
outcomes, killed = collections.Counter(), 0
for _ in range(rounds):
    put_old()
    process = run([program, "HIDE"])
    time.sleep(random.uniform(0, usual * 1.2))
    process.send_signal(signal.SIGKILL)
    if process.wait() == -signal.SIGKILL:
        killed += 1
    outcomes[classify()] += 1
tally(f"random kills within {usual * 1000:.1f} ms", outcomes, killed)
failed |= outcomes["partial"] > 0

if shutil.which("strace"):
    trace = subprocess.run(["strace", "-f", "-qq", "-o", "/dev/stdout", program, "HIDE"],
                           capture_output=True, text=True).stdout
    counts = collections.Counter()
    for line in trace.splitlines():
        match = re.match(r"(\d+)\s+([a-z0-9_]+)\(", line)
        if match:
            counts[match.groups()] += 1
    most = collections.Counter()
    for (tid, name), n in counts.items():
        most[name] = max(most[name], n)
    outcomes, killed = collections.Counter(), 0
    for name, n in sorted(most.items()):
        for k in range(1, n + 1):
            put_old()
            process = run(["strace", "-f", "-qq", "-o", "/dev/null",
                           f"-einject={name}:signal=SIGKILL:when={k}", program, "HIDE"])
            if process.wait() == -signal.SIGKILL:
                killed += 1
            outcome = classify()
            outcomes[outcome] += 1
            if outcome == "partial":
                print(f"  partial report after a kill at {name} #{k}: {open(report, 'rb').read()!r}")
    tally("a kill at every system call", outcomes, killed)
    failed |= outcomes["partial"] > 0
else:
    print("a kill at every system call: skipped, strace is missing")

sys.exit(1 if failed else 0)
PY
