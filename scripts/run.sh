#!/usr/bin/env bash
# Sets up, builds and starts Quillmark under Wine. Without a display it runs
# under Xvfb, saves a screenshot of the started window and closes the
# program in order. The sample folder is build/win32/samples.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${QM_BUILD_DIR:-$root/build}
if [ -z "${QM_RUN_INNER:-}" ]; then
  "$root/scripts/setup.sh"
  "$root/scripts/build.sh"
  if ! why=$("$root/scripts/can-run-wine.sh" 2>&1); then
    echo "Quillmark is built ($out/win32/bin/Quillmark.exe) but cannot start here: $why." >&2
    echo "Copy build/win32/bin to a Windows machine, or use a machine that runs 32-bit programs." >&2
    exit 1
  fi
  "$root/scripts/wine-prefix.sh" "$out/win32"
  if [ -z "${DISPLAY:-}" ]; then
    QM_RUN_INNER=headless exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
  fi
  export QM_RUN_INNER=display
fi
run="$out/win32/wine-run.sh"
bin="$out/win32/bin"
shots="$out/screenshots"
mkdir -p "$shots"
echo "Sample folder: $out/win32/samples (Z:${out//\//\\}\\win32\\samples in the program)"
(cd "$bin" && "$run" "$bin/Quillmark.exe") &
prog=$!
"$run" "$bin/qmtool.exe" wait-window TfoMAIN 90
sleep 2
# The main window alone when it can be found, else the whole screen.
win=$(xdotool search --onlyvisible --name '^Quillmark$' 2>/dev/null | head -n 1 || true)
import -window "${win:-root}" "$shots/main-window.png"
echo "Screenshot: $shots/main-window.png"
if [ "$QM_RUN_INNER" = headless ]; then
  "$run" "$bin/qmtool.exe" close 30
  wait "$prog"
  echo "Quillmark closed."
else
  wait "$prog"
fi
