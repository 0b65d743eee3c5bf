# Sourced by the scripts that run the real program in a scratch folder:
# driver_folder <name> [folder-to-run-in [program]] builds the release program
# and the fixture generator, sets $program (the one given, else the release
# build) and $work (a new folder under the given one, else under the system's
# temporary folder, holding a driver of the required build and removed on
# exit), and goes there.
driver_folder() {
  local root
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
  (cd "$root" && cmake --preset release >/dev/null &&
    cmake --build --preset release --target keldwick keldwick-version-fixtures >/dev/null)
  program="${3:-$root/build/release/app/keldwick}"
  work="$(mktemp -d "${2:-${TMPDIR:-/tmp}}/keldwick-$1.XXXXXX")"
  trap 'rm -rf "$work"' EXIT
  "$root/build/release/tools/version/keldwick-version-fixtures" "$work/fixtures"
  mv "$work/fixtures/le-4.00.1116.vxd" "$work/VREDIR.VXD"
  rm -rf "$work/fixtures"
  cd "$work"
  echo "folder: $work ($(stat -f -c %T "$work"))"
}
