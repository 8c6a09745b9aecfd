#!/usr/bin/env bash
# Configures and builds the three trees: build/native (host compiler,
# portable core and its tests, with sanitizers), build/win64 and build/win32
# (the program, its tools, stand-in libraries and every test, cross-built
# for 64-bit and 32-bit Windows). QM_TREES narrows the Windows trees
# (default "win64 win32").
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${QM_BUILD_DIR:-$root/build}
jobs=$(nproc)
if [ ! -f "$out/native/build.ninja" ]; then
  cmake -S "$root" -B "$out/native" -G Ninja -DQM_SANITIZE=ON
fi
cmake --build "$out/native" -j "$jobs"
for tree in ${QM_TREES:-win64 win32}; do
  case $tree in
    win64) toolchain=mingw-x86_64.cmake ;;
    win32) toolchain=mingw-i686.cmake ;;
    *) echo "unknown tree $tree" >&2; exit 1 ;;
  esac
  if [ ! -f "$out/$tree/build.ninja" ]; then
    cmake -S "$root" -B "$out/$tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain"
  fi
  cmake --build "$out/$tree" -j "$jobs"
done
