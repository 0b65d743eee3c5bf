#!/usr/bin/env bash
# The real program, hidden, at the edges of what the system grants: a small
# stack limit, little address space, no thread for the status window (a
# process limit, a failing clone) and each allocation failing in turn. Every
# run must end by itself, within seconds: with status 0 and the whole report,
# or, when an allocation failed, with status 1 and "out of memory" said on
# standard error, the report then absent or a well-formed one.
# Usage: limits.sh <keldwick> <failing-allocation library> <fixture generator>
set -uo pipefail
program=$1 failing=$2 fixtures=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$fixtures" "$work/fixtures" >/dev/null
mkdir "$work/run" && cp "$work/fixtures/le-4.00.1116.vxd" "$work/run/VREDIR.VXD" && cd "$work/run"
printf '[VREDIR.VXD]\r\nISWIN95=NO\r\nVERSION=4.00.1116\r\n' >"$work/whole"
printf '[VREDIR.VXD]\r\nISWIN95=NO\r\n' >"$work/first-entry"
failures=0

is_report() { [[ -f KELDWICK.INI ]] && cmp -s KELDWICK.INI "$work/$1"; }
shown() { if [[ -f KELDWICK.INI ]]; then od -c KELDWICK.INI | head -4; else echo "no report"; fi; }
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

# Runs the program hidden in a subshell after the given commands.
hidden() {
    rm -f KELDWICK.INI
    (eval "$1"; exec timeout -k 2 10 env -u DISPLAY -u WAYLAND_DISPLAY "${@:2}" "$program" HIDE) 2>stderr.txt
}

expect_whole_report() {
    local what=$1 status=$2
    if [[ $status -ne 0 ]]; then
        fail "$what: exit status $status ($(head -c 200 stderr.txt))"
    elif ! is_report whole; then
        fail "$what: report $(shown)"
    else
        echo "$what: report written, status 0"
    fi
}

# Every stack limit from the smallest that /bin/true runs under, address
# space laid out the same each time (no randomisation), so that whatever runs
# or fails does so every time. The program once crashed below 16 KiB.
if env -i setarch -R /bin/true 2>/dev/null; then
    smallest=4
    # In a shell of its own, which says nothing of the crashes it meets.
    while ((smallest <= 64)) &&
        ! sh -c 'env -i setarch -R prlimit --stack=$1 /bin/true; exit $?' - $((smallest * 1024)) 2>/dev/null; do
        smallest=$((smallest + 1))
    done
    crashed=()
    for ((kib = smallest; kib <= 64; ++kib)); do
        hidden "" env -i setarch -R prlimit --stack=$((kib * 1024))
        status=$?
        [[ $status -eq 0 ]] && is_report whole || crashed+=("$kib KiB: status $status")
    done
    if ((${#crashed[@]} > 0)); then
        fail "stack limits: ${crashed[*]}"
    else
        echo "stack limits of $smallest to 64 KiB (the smallest that /bin/true runs under): report written, status 0"
    fi
else
    echo "stack limits: skipped, setarch cannot turn off address randomisation here"
fi
hidden "ulimit -v 10000"; expect_whole_report "address space of 10000 KiB" $?

if command -v strace >/dev/null; then
    hidden "" strace -f -qq -o /dev/null -e trace=clone,clone3 -e inject=clone3:error=EAGAIN -e inject=clone:error=EAGAIN
    expect_whole_report "every clone failing" $?
else
    echo "every clone failing: skipped, no strace"
fi

if [[ $(id -u) -eq 0 ]] && command -v setpriv >/dev/null; then
    chmod 0711 "$work" && chmod 0777 "$work/run"
    hidden "" setpriv --reuid 65534 --regid 65534 --clear-groups bash -c 'ulimit -u 1 && exec "$0" "$@"'
    expect_whole_report "one process for the user (no thread)" $?
    chmod 0700 "$work" && chmod 0755 "$work/run"
else
    echo "process limit: skipped, needs root to run as another user"
fi

rm -f KELDWICK.INI
calls=$(KELDWICK_COUNT_ALLOCATIONS=1 LD_PRELOAD="$failing" "$program" HIDE 2>&1 >/dev/null | sed -n 's/^allocations: //p')
[[ $calls =~ ^[0-9]+$ ]] || { fail "no allocation count"; calls=0; }
declare -A outcomes=()
for ((n = 1; n <= calls; ++n)); do
    hidden "" env KELDWICK_FAIL_ALLOCATION=$n LD_PRELOAD="$failing"
    status=$?
    case "$status" in
        0) is_report whole || fail "allocation $n failing: status 0 with report $(shown)" ;;
        1) grep -q '^keldwick: out of memory$' stderr.txt || fail "allocation $n failing: status 1 without the message"
           [[ ! -f KELDWICK.INI ]] || is_report whole || is_report first-entry ||
               fail "allocation $n failing: torn report $(shown)" ;;
        *) fail "allocation $n failing: exit status $status (124: hung; above 128: killed by a signal)" ;;
    esac
    outcomes[$status]=$((${outcomes[$status]:-0} + 1))
done
echo "each of $calls allocations failing in turn: $(for s in "${!outcomes[@]}"; do printf '%s run(s) with status %s; ' "${outcomes[$s]}" "$s"; done)"
exit $((failures > 0))
