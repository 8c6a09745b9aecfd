#!/usr/bin/env bash
# Tells whether this machine can run Wine for a build tree: win64 (the
# 64-bit loader, which runs on every x86-64 machine) or win32 (default).
# 32-bit Wine's loader is a 32-bit Linux program, and some kernels (virtual
# machines without 32-bit support) refuse those outright. Under a CPU
# emulator registered for them Wine starts, but each process takes about a
# minute and some fail to load, far too slow and unreliable for the test
# suites. Exits 0 when Wine can run; otherwise says why on stderr, exits 1.
# usage: can-run-wine.sh [win32|win64]
set -uo pipefail
tree=${1:-win32}
if [ "$tree" = win64 ]; then
  loader=/usr/lib/wine/wine64
  if [ ! -x "$loader" ]; then
    echo "64-bit Wine is not installed ($loader)" >&2
    exit 1
  fi
  if ! "$loader" --version >/dev/null 2>&1; then
    echo "64-bit Wine does not start ($loader --version failed)" >&2
    exit 1
  fi
  exit 0
fi
loader=/usr/lib/wine/wine
if [ ! -x "$loader" ]; then
  echo "32-bit Wine is not installed ($loader)" >&2
  exit 1
fi
for f in /proc/sys/fs/binfmt_misc/*; do
  case ${f##*/} in register|status) continue ;; esac
  [ -f "$f" ] || continue
  if grep -q '^enabled' "$f" && grep -q '^magic 7f454c4601010100000000000000000002000300' "$f"; then
    echo "32-bit programs run here only under an emulator ($(sed -n 's/^interpreter //p' "$f"))" >&2
    exit 1
  fi
done
if ! "$loader" --version >/dev/null 2>&1; then
  echo "this machine's kernel does not run 32-bit programs, which 32-bit Wine is" >&2
  exit 1
fi
exit 0
