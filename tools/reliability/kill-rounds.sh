#!/usr/bin/env bash
# Kills hidden runs with SIGKILL on every way a report reaches its file, and
# sorts the report each round leaves, as a profile reader reads it (the first
# [VREDIR.VXD] section counts): the old report, the new one, none, an empty
# file, a mixed one (anything else), or a stale one (an older check's report
# on top of a newer one that was said to be written).
#   main:        a folder that takes new files: random kills, then a kill at
#                every system call (the k-th call of one kind, any thread);
#   read-only:   a folder the run may not write in, its report writable: the
#                in-place rewrite, random kills and a kill at every call, then
#                8 runs at once checking over and over while a reader samples;
#   long:        a folder whose report path is as long as a path may be;
#   full-disk:   a full file system (tmpfs), its report rewritten in place;
#   write-only:  a drop box: the folder may be written but not read;
#   lock:        a run stopped at a random moment while a second one runs with
#                a newer driver; the stopped one holds the folder's lock past
#                the wait, or not, and is then let go.
# ROUNDS (default 1000) rounds of each; ROUND_SETS folders work at once in the
# lock rounds, which mostly wait. CASES (default all) names the cases to run,
# separated by blanks, for a longer look at one. Cases that need root (another user, a mount)
# say that they were skipped. Needs: python3; strace for the every-call kills.
# Usage: tools/reliability/kill-rounds.sh [folder-to-run-in [program]]
set -euo pipefail
case "${1:-}" in
  --help) echo "usage: tools/reliability/kill-rounds.sh [folder-to-run-in [program]]   (ROUNDS=1000, CASES=all by default)"
          echo "Kills hidden runs on every way a report is written, and sorts the reports they leave."
          exit 0 ;;
  -*) echo "kill-rounds.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
esac
export ROUNDS="${ROUNDS:-1000}" ROUND_SETS="${ROUND_SETS:-25}" CASES="${CASES:-main long read-only write-only full-disk lock}"
source "$(dirname "$0")/../bench/driver-folder.sh"
driver_folder kill "$@"
env -u DISPLAY -u WAYLAND_DISPLAY python3 - "$program" <<'PY'
import collections, os, random, re, shutil, signal, statistics, subprocess, sys, threading, time

program = sys.argv[1]
rounds = int(os.environ["ROUNDS"])
sets = int(os.environ["ROUND_SETS"])
cases = set(os.environ["CASES"].split())
unknown = cases - {"main", "long", "read-only", "write-only", "full-disk", "lock"}
if unknown:
    sys.exit(f"kill-rounds.sh: unknown case(s) in CASES: {' '.join(sorted(unknown))}")
work = os.getcwd()
report = "KELDWICK.INI"
old = b"[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=an old run\r\n"
driver = open("VREDIR.VXD", "rb").read()
older_driver = driver.replace(b"4.00.1116", b"4.00.1115")
prefix = os.path.join(work, "empty-wine-prefix")
os.mkdir(prefix)
environment = dict(os.environ, WINEPREFIX=prefix)
root = os.geteuid() == 0 and shutil.which("setpriv") is not None
nobody = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"]
os.chmod(work, 0o755)
os.chmod(prefix, 0o755)

def entries(text):
    """The entries of the first [VREDIR.VXD] section, as a profile reader finds them."""
    seen, found = False, {}
    for line in re.split(rb"\r\n|\n|\r", text):
        core = line.strip(b" \t")
        if core.startswith(b"["):
            if seen:
                break
            seen = core[1:].split(b"]")[0].strip(b" \t").upper() == b"VREDIR.VXD"
        elif seen and b"=" in core and not core.startswith(b";"):
            name, value = core.split(b"=", 1)
            found.setdefault(name.strip(b" \t").upper(), value.rstrip(b" "))
    return found if seen else None

def classify(path, kinds):
    """kinds: the entries of each whole report that may stand there, by name."""
    try:
        text = open(path, "rb").read()
    except FileNotFoundError:
        return "none"
    if not text:
        return "empty"
    read = entries(text)
    for kind, expected in kinds.items():
        if read == expected:
            return kind
    return "mixed"

OLD = entries(old)
NEW = {b"ISWIN95": b"NO", b"VERSION": b"4.00.1116"}
OLDER = {b"ISWIN95": b"NO", b"VERSION": b"4.00.1115"}
BAD = ("empty", "mixed", "stale")
failed_whole = 0  # whole runs that did not leave the new report

def put_old(folder):
    """The old report, written in place as this harness is root and the folder may be full."""
    path = os.path.join(folder, report)
    with open(path, "r+b" if os.path.exists(path) else "wb") as f:
        f.truncate(0)
        f.write(old)
    os.chmod(path, 0o666)

def start(folder, as_nobody, trace=None):
    argv = (trace or []) + (nobody if as_nobody else []) + [program, "HIDE"]
    return subprocess.Popen(argv, cwd=folder, env=environment, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE)

def usual_length(folder, as_nobody):
    """The median length of a whole run; says how the report got there and what the run said."""
    durations = []
    for _ in range(40):
        put_old(folder)
        begun = time.perf_counter()
        process = start(folder, as_nobody)
        said = process.communicate()[1].decode(errors="replace")
        if process.returncode != 0:
            sys.exit(f"a whole run in {folder} ended with status {process.returncode}")
        durations.append(time.perf_counter() - begun)
    path = os.path.join(folder, report)
    text = open(path, "rb").read() if os.path.exists(path) else b""
    left = classify(path, {"new": NEW, "old": OLD})
    how = "rewritten in place" if b"[~" in text else "renamed into place"
    if left != "new":
        global failed_whole
        failed_whole += 1
        how = f"NOT WRITTEN (left: {left})"
    print(f"  a whole run: report {how}; standard error: {said.strip() or '(nothing)'}")
    return statistics.median(durations[10:])

def temporaries(folder):
    try:
        return sum(1 for name in os.listdir(folder) if re.fullmatch(r"~KW[0-9A-Z]{5}\.TMP", name))
    except PermissionError:
        return "?"

def tally(title, outcomes, killed, folder):
    print(f"{title}: {sum(outcomes.values())} rounds, {killed} killed, temporary files left: {temporaries(folder)}")
    print("  " + ", ".join(f"{kind} {outcomes.get(kind, 0)}"
                           for kind in ("old", "new", "none", "empty", "mixed", "stale")))
    return sum(outcomes.get(kind, 0) for kind in BAD)

def random_kills(title, folder, as_nobody):
    usual = usual_length(folder, as_nobody)
    outcomes, killed = collections.Counter(), 0
    for _ in range(rounds):
        put_old(folder)
        process = start(folder, as_nobody)
        time.sleep(random.uniform(0, usual * 1.2))
        process.send_signal(signal.SIGKILL)
        process.communicate()
        killed += process.returncode == -signal.SIGKILL
        outcomes[classify(os.path.join(folder, report), {"old": OLD, "new": NEW})] += 1
    return tally(f"{title}: random kills within {usual * 1000:.1f} ms", outcomes, killed, folder)

def every_call(title, folder, as_nobody):
    if not shutil.which("strace"):
        print(f"{title}: a kill at every system call: skipped, strace is missing")
        return 0
    put_old(folder)
    counts = collections.Counter()
    trace = subprocess.run(["strace", "-f", "-qq", "-o", "/dev/stdout"] + (nobody if as_nobody else [])
                           + [program, "HIDE"], cwd=folder, env=environment, capture_output=True,
                           text=True).stdout
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
            put_old(folder)
            process = start(folder, as_nobody, ["strace", "-f", "-qq", "-o", "/dev/null",
                                                f"-einject={name}:signal=SIGKILL:when={k}"])
            process.communicate()
            killed += process.returncode == -signal.SIGKILL
            outcome = classify(os.path.join(folder, report), {"old": OLD, "new": NEW})
            outcomes[outcome] += 1
            if outcome in BAD:
                print(f"  {outcome} report after a kill at {name} #{k}: "
                      f"{open(os.path.join(folder, report), 'rb').read()!r}")
    return tally(f"{title}: a kill at every system call", outcomes, killed, folder)

def writers_and_reader(title, folder, as_nobody, writers=8, checks=100):
    put_old(folder)
    samples, done = collections.Counter(), threading.Event()
    def sample():
        while not done.is_set():
            samples[classify(os.path.join(folder, report), {"old": OLD, "new": NEW})] += 1
    reader = threading.Thread(target=sample)
    reader.start()
    def write():
        for _ in range(checks):
            start(folder, as_nobody).communicate()
    threads = [threading.Thread(target=write) for _ in range(writers)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    done.set()
    reader.join()
    print(f"{title}: {writers} runs at once, {checks} checks each, a reader sampling: "
          + ", ".join(f"{kind} {samples.get(kind, 0)}" for kind in ("old", "new", "none", "empty", "mixed")))
    return sum(samples.get(kind, 0) for kind in BAD)

def folder_of(name, mode=0o755):
    folder = os.path.join(work, name)
    os.mkdir(folder)
    shutil.copy("VREDIR.VXD", folder)
    os.chmod(folder, mode)
    return folder

# One round of a run stopped while a second one runs with a newer driver.
def lock_round(folder, usual):
    put_old(folder)
    with open(os.path.join(folder, ".driver"), "wb") as f:
        f.write(older_driver)
    os.replace(os.path.join(folder, ".driver"), os.path.join(folder, "VREDIR.VXD"))
    stopped = start(folder, False)
    time.sleep(random.uniform(0, usual * 1.5))
    stopped.send_signal(signal.SIGSTOP)
    with open(os.path.join(folder, ".driver"), "wb") as f:
        f.write(driver)
    os.replace(os.path.join(folder, ".driver"), os.path.join(folder, "VREDIR.VXD"))
    second = start(folder, False)
    said = second.communicate()[1].decode(errors="replace")
    stopped.send_signal(signal.SIGCONT)
    stopped.communicate()
    if second.returncode != 0:
        return "mixed"
    outcome = classify(os.path.join(folder, report), {"old": OLD, "new": NEW, "older": OLDER})
    if "cannot write the report" not in said:
        return "stale" if outcome in ("older", "old") else outcome
    if outcome == "older":
        return "older, said"
    return outcome

def stopped_lock_holder(title):
    folders = [folder_of(f"lock-{i}") for i in range(sets)]
    usual = usual_length(folders[0], False)
    outcomes, lock = collections.Counter(), threading.Lock()
    def work_in(folder, count):
        for _ in range(count):
            outcome = lock_round(folder, usual)
            with lock:
                outcomes[outcome] += 1
    threads = [threading.Thread(target=work_in, args=(folder, rounds // sets + (i < rounds % sets)))
               for i, folder in enumerate(folders)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    print(f"{title}: {sum(outcomes.values())} rounds in {sets} folders at once")
    print("  " + ", ".join(f"{kind} {outcomes.get(kind, 0)}"
                           for kind in ("old", "new", "older, said", "none", "empty", "mixed", "stale")))
    return sum(outcomes.get(kind, 0) for kind in BAD)

bad = 0
if "main" in cases:
    main = folder_of("main")
    bad += random_kills("main", main, False)
    bad += every_call("main", main, False)

if "long" in cases:
    deep = work
    while len(deep) + 1 + len(report) < os.pathconf("/", "PC_PATH_MAX") - 1:
        room = os.pathconf("/", "PC_PATH_MAX") - 1 - (len(deep) + 1 + len(report)) - 1
        deep = os.path.join(deep, "d" * max(1, min(room, 200)))
    os.makedirs(deep)
    shutil.copy("VREDIR.VXD", deep)
    print(f"long: the report path is {len(os.path.join(deep, report))} characters")
    bad += random_kills("long", os.path.relpath(deep), False)

if cases & {"read-only", "write-only"} and not root:
    print("read-only, write-only: skipped, another user needs root and setpriv")
if "read-only" in cases and root:
    readonly = folder_of("read-only", 0o755)
    put_old(readonly)
    os.chmod(readonly, 0o555)
    bad += random_kills("read-only", readonly, True)
    bad += every_call("read-only", readonly, True)
    bad += writers_and_reader("read-only", readonly, True)
if "write-only" in cases and root:
    writeonly = folder_of("write-only", 0o733)
    bad += random_kills("write-only", writeonly, True)

if "full-disk" in cases:
    full = os.path.join(work, "full")
    os.mkdir(full)
    if root and subprocess.run(["mount", "-t", "tmpfs", "-o", "size=16k,nr_inodes=64", "tmpfs", full]).returncode == 0:
        try:
            shutil.copy("VREDIR.VXD", full)
            put_old(full)
            subprocess.run(f"head -c 1M /dev/zero > {full}/filler", shell=True, stderr=subprocess.DEVNULL)
            bad += random_kills("full-disk", full, False)
        finally:
            subprocess.run(["umount", full])
    else:
        print("full-disk: skipped, no tmpfs mount here")

if "lock" in cases:
    bad += stopped_lock_holder("lock")
print(f"empty, mixed or stale: {bad}; whole runs without their report: {failed_whole}")
sys.exit(1 if bad or failed_whole else 0)
PY
