#!/usr/bin/env bash
# Takes the README's screenshot: the frame with one status window as the
# presenter's own test shows it, on Xvfb under the openbox window manager, so
# that the picture has a desktop's title bars. Writes ui/desktop/screenshot.png.
# Installs what it needs: scripts/install-deps build qt screenshot.
set -euo pipefail
case "${1:-}" in
  --help) echo "usage: tools/desktop/screenshot.sh"
          echo "Takes ui/desktop/screenshot.png under Xvfb and openbox (builds the qt preset's window tests)."
          exit 0 ;;
  "") ;;
  *) echo "screenshot.sh: takes no parameters (see --help)" >&2; exit 2 ;;
esac
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
scripts/install-deps build qt screenshot
cmake --preset qt >/dev/null
cmake --build --preset qt --target qt_presenter_tests keldwick_build_share >/dev/null
build="$root/build/qt"
rm -f "$build/screenshots/keldwick-frame.png"
# The test waits for the frame to be active, which under a window manager
# it is only once the manager runs: start it first and wait for it to say so.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  openbox & manager=$!
  for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
  XDG_DATA_DIRS="$0/share" "$0/tests/qt/qt_presenter_tests" \
    --gtest_filter=DesktopProgram.FrameOpensOneStatusWindowWithTheResults >/dev/null; status=$?
  kill $manager; exit $status' "$build"
cp "$build/screenshots/keldwick-frame.png" ui/desktop/screenshot.png
echo "wrote ui/desktop/screenshot.png"
