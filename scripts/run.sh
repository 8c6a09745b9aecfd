#!/usr/bin/env bash
# Sets up, builds and starts Quillmark under Wine: the 32-bit program where
# this machine runs 32-bit programs, the 64-bit one elsewhere. Without a
# display it runs under Xvfb, saves a screenshot of the started window and
# closes the program in order. The sample folder is build/<tree>/samples.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${QM_BUILD_DIR:-$root/build}
if [ -z "${QM_RUN_INNER:-}" ]; then
  "$root/scripts/setup.sh"
  "$root/scripts/build.sh"
  tree=win32
  if ! why=$("$root/scripts/can-run-wine.sh" win32 2>&1); then
    echo "Starting the 64-bit program: $why."
    tree=win64
    if ! why=$("$root/scripts/can-run-wine.sh" win64 2>&1); then
      echo "Quillmark is built ($out/win64/bin/Quillmark.exe) but cannot start here: $why." >&2
      exit 1
    fi
  fi
  export QM_RUN_TREE=$tree
  "$root/scripts/wine-prefix.sh" "$out/$tree"
  if [ -z "${DISPLAY:-}" ]; then
    QM_RUN_INNER=headless exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
  fi
  export QM_RUN_INNER=display
fi
tree=$QM_RUN_TREE
run="$out/$tree/wine-run.sh"
bin="$out/$tree/bin"
shots="$out/screenshots"
mkdir -p "$shots"
echo "Sample folder: $out/$tree/samples (Z:${out//\//\\}\\$tree\\samples in the program)"
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
