#!/usr/bin/env bash
# Sets up, builds and runs every test: the native suites (with sanitizers),
# a short fuzz pass, and every Windows-side suite under Wine in a virtual
# display: the 64-bit tree always (a machine that cannot run it fails the
# run), the 32-bit tree wherever the kernel runs 32-bit programs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${QM_BUILD_DIR:-$root/build}
if [ -z "${QM_TEST_INNER:-}" ]; then
  [ -n "${QM_SKIP_SETUP:-}" ] || "$root/scripts/setup.sh"
  # What no compiler checks: include cycles between units of src/, Windows
  # included past ui/win32.h, code repeated where none was before.
  echo "== structure of src/"
  python3 "$root/scripts/check_structure.py" --duplicates "$root/scripts/known_duplicates.txt"
  "$root/scripts/build.sh"
  echo "== native tests"
  # Every sanitizer finding fails its suite.
  ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1} \
  UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1} \
    ctest --test-dir "$out/native" --output-on-failure -j "$(nproc)"
  # A short fuzz run of every target (QM_FUZZ_SECONDS each; 0 skips it)
  # replays the inputs of past findings and catches new ones early.
  fuzz_seconds=${QM_FUZZ_SECONDS:-10}
  if [ "$fuzz_seconds" -gt 0 ]; then
    echo "== fuzzing, ${fuzz_seconds}s per target"
    "$root/scripts/fuzz.sh" "$fuzz_seconds"
  fi
  if ! why=$("$root/scripts/can-run-wine.sh" win64 2>&1); then
    echo "== FAILED: the 64-bit suites cannot run under Wine here: $why." >&2
    exit 1
  fi
  trees=win64
  if why=$("$root/scripts/can-run-wine.sh" win32 2>&1); then
    trees="win64 win32"
  else
    echo "== 32-bit tests under Wine SKIPPED: $why."
    echo "   The 32-bit program and its tests were built but not run on this machine."
  fi
  for tree in $trees; do
    "$root/scripts/wine-prefix.sh" "$out/$tree"
  done
  QM_TEST_INNER="$trees" exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
status=0
for tree in $QM_TEST_INNER; do
  echo "== tests under Wine: $tree"
  run="$out/$tree/wine-run.sh"
  # One server for the tree's run, so that each test starts in about a
  # second. Its services start here, not inside a test: they live as long
  # as the server and would hold that test's output open.
  "$run" --server -k 2>/dev/null || true  # a server left from an interrupted run
  "$run" --server -p
  trap '"$run" --server -k 2>/dev/null || true' EXIT
  "$run" wineboot </dev/null >/dev/null 2>&1 || true
  ctest --test-dir "$out/$tree" --output-on-failure || status=1
  "$run" --server -k 2>/dev/null || true
done
exit $status
