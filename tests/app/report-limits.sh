#!/usr/bin/env bash
# The hidden run where the report cannot be written as usual: every case ends
# with status 0; where the new report is not written, standard error says so
# in one line naming the file, and no stale report passes for a new one; a
# run asked for its status (/STATUS) then ends with 5, whatever its answer.
# Cases that need root (another user, mounts, attributes) say "skipped".
set -uo pipefail
program="$(realpath "$1")"
base="$(mktemp -d)"
chmod 0755 "$base"
trap 'chattr -i "$base"/*/KELDWICK.INI 2>/dev/null; umount "$base/full" 2>/dev/null; rm -rf "$base"' EXIT
case=setup
old=$'[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=an old run\r\n'
new=$'[VREDIR.VXD]\r\nISWIN95=NO\r\n'
failures=0

fail() { echo "FAIL $case: $*" >&2; failures=$((failures + 1)); }

# run <folder> [prefix command...]: one hidden run in the folder, with the
# parameters in $parameters, ending with status $expected. Standard error
# goes through a pipe: a file would meet the file-size limit too.
parameters=hide
expected=0
run() {
  local folder="$1" status
  shift
  # shellcheck disable=SC2086
  said="$(cd "$folder" && timeout -k 2 20 env -u DISPLAY -u WAYLAND_DISPLAY "$@" "$program" $parameters 2>&1 >/dev/null)"
  status=$?
  [[ $status -eq $expected ]] || fail "exit status $status, not $expected"
}

# run_for_status <folder> [prefix command...]: the same run, asked for its status.
run_for_status() {
  parameters="hide /status" expected=5 run "$@"
}

expect_report() {
  printf '%s' "$2" | cmp -s - "$1/KELDWICK.INI" || fail "report: $(od -c "$1/KELDWICK.INI" 2>&1 | head -3)"
}

expect_told() {
  [[ $(printf '%s\n' "$said" | grep -c .) -eq 1 && "$said" == "keldwick: cannot write the report $1: "* ]] ||
    fail "standard error: $said"
}

# fresh <case>: a folder for the case holding an old report.
fresh() {
  case="$1"
  dir="$base/$case"
  mkdir -p "$dir"
  printf '%s' "$old" >"$dir/KELDWICK.INI"
}

as_nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }

# The sanitizers' runtimes need descriptors of their own, and the thread
# sanitizer's writes a file before the program starts.
sanitizer="$(ldd "$program" | grep -oE 'lib(a|t|ub)san' | head -1)"

fresh file-size-limit
if [[ $sanitizer == libtsan ]]; then
  echo "skipped: $case (a $sanitizer build)"
else
  run "$dir" bash -c 'ulimit -f 0 && exec "$0" "$@"'
  [[ ! -e "$dir/KELDWICK.INI" ]] || fail "the old report is still there"
  expect_told "$dir/KELDWICK.INI"
fi

fresh descriptor-limit
if [[ -n $sanitizer ]]; then
  echo "skipped: $case (a $sanitizer build)"
else
  # Descriptors that the test runner passes on would count against the limit.
  run "$dir" bash -c 'for fd in $(ls /proc/$$/fd); do ((fd > 2)) && eval "exec $fd>&-"; done
                      ulimit -n 4 && exec "$0" "$@"'
  [[ ! -e "$dir/KELDWICK.INI" ]] || fail "the old report is still there"
  expect_told "$dir/KELDWICK.INI"
fi

case=deleted-folder
dir="$base/$case"
mkdir "$dir"
run "$dir" bash -c 'rmdir "$PWD" && exec "$0" "$@"'
[[ "$said" == "keldwick: cannot write the report KELDWICK.INI: the current folder cannot be read" ]] ||
  fail "standard error: $said"
mkdir "$dir"
run_for_status "$dir" bash -c 'rmdir "$PWD" && exec "$0" "$@"'

case=too-long-path
deep="$base/$case"
while [[ ${#deep} -lt 3800 ]]; do deep="$deep/$(printf 'd%.0s' {1..200})"; done
deep="$deep/$(printf 'e%.0s' $(seq $((4090 - ${#deep}))))"
mkdir -p "$deep"
(cd "$deep" && printf '%s' "$old" >KELDWICK.INI)
run "$deep"
[[ "$said" == "keldwick: cannot write the report $deep/KELDWICK.INI: the path is longer than "* ]] ||
  fail "standard error: $said"
(cd "$deep" && [[ ! -e KELDWICK.INI ]]) || fail "the old report is still there"

if [[ $(id -u) -eq 0 ]] && as_nobody true 2>/dev/null; then
  fresh read-only-folder-writable-report
  chmod 0666 "$dir/KELDWICK.INI" && chmod 0555 "$dir"
  run "$dir" setpriv --reuid=65534 --regid=65534 --clear-groups
  expect_report "$dir" "$new"
  [[ -z "$said" ]] || fail "standard error: $said"

  fresh read-only-folder-read-only-report
  chmod 0444 "$dir/KELDWICK.INI" && chmod 0555 "$dir"
  run "$dir" setpriv --reuid=65534 --regid=65534 --clear-groups
  expect_report "$dir" "$old"
  expect_told "$dir/KELDWICK.INI"
  [[ "$said" == *"out of date" ]] || fail "standard error: $said"
  # The stale report reads like a good run's: only the status can tell.
  run_for_status "$dir" setpriv --reuid=65534 --regid=65534 --clear-groups
  expect_report "$dir" "$old"

  fresh sticky-folder-another-users-report
  chmod 1777 "$dir" && chmod 0666 "$dir/KELDWICK.INI"
  run "$dir" setpriv --reuid=65534 --regid=65534 --clear-groups
  expect_report "$dir" "$new"
else
  echo "skipped: the cases of another user need root and setpriv"
fi

fresh immutable-report
if chattr +i "$dir/KELDWICK.INI" 2>/dev/null; then
  run "$dir"
  chattr -i "$dir/KELDWICK.INI"
  expect_report "$dir" "$old"
  expect_told "$dir/KELDWICK.INI"
  [[ "$said" == *"out of date" ]] || fail "standard error: $said"
  chattr +i "$dir/KELDWICK.INI"
  run_for_status "$dir"
  chattr -i "$dir/KELDWICK.INI"
else
  echo "skipped: $case (the file system takes no immutable attribute here)"
fi

case=full-disk
mkdir -p "$base/full"
if mount -t tmpfs -o size=16k,nr_inodes=16 tmpfs "$base/full" 2>/dev/null; then
  dir="$base/full"
  printf '%s' "$old" >"$dir/KELDWICK.INI"
  head -c 1M /dev/zero >"$dir/filler" 2>/dev/null
  # The emptied old report may make room for the new one; if not, it is gone.
  run "$dir"
  if [[ -e "$dir/KELDWICK.INI" ]]; then
    expect_report "$dir" "$new"
  else
    expect_told "$dir/KELDWICK.INI"
  fi
  rm -f "$dir/filler"
  run "$dir"
  expect_report "$dir" "$new"
  for i in $(seq 1 20); do (: >"$dir/inode-$i") 2>/dev/null || break; done
  printf '%s' "$old" >"$dir/KELDWICK.INI"
  run "$dir"
  expect_report "$dir" "$new"
  umount "$base/full"
else
  echo "skipped: $case (no tmpfs mount here)"
fi

[[ $failures -eq 0 ]] || exit 1
echo "report limits: every run ended with status 0 (5 with /STATUS) and said what it could not write"
