#!/usr/bin/env bash
# Sets up, builds and runs every test: the native suites (with sanitizers)
# and every suite under Wine, the end-to-end ones in a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${QM_BUILD_DIR:-$root/build}
if [ -z "${QM_TEST_INNER:-}" ]; then
  [ -n "${QM_SKIP_SETUP:-}" ] || "$root/scripts/setup.sh"
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
  if ! why=$("$root/scripts/can-run-wine.sh" 2>&1); then
    # The Win32 tree was still built above, so it compiles and links.
    echo "== tests under Wine SKIPPED: $why."
    echo "   The program and its Win32 tests were built but not run on this machine."
    exit 0
  fi
  "$root/scripts/wine-prefix.sh" "$out/win32"
  QM_TEST_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
echo "== tests under Wine"
export WINEPREFIX="$out/win32/wineprefix"
# One server for the whole run, so that each test starts in about a second.
# Its services start here, not inside a test: they live as long as the
# server and would hold that test's output open.
wineserver -k 2>/dev/null || true  # a server left from an interrupted run
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
"$out/win32/wine-run.sh" wineboot </dev/null >/dev/null 2>&1 || true
ctest --test-dir "$out/win32" --output-on-failure
