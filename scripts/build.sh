#!/usr/bin/env bash
# Configures and builds both trees: build/native (host compiler, portable
# core and its tests, with sanitizers) and build/win32 (the program, its
# tools, stand-in libraries and every test, cross-built for Wine).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${QM_BUILD_DIR:-$root/build}
jobs=$(nproc)
if [ ! -f "$out/native/build.ninja" ]; then
  cmake -S "$root" -B "$out/native" -G Ninja -DQM_SANITIZE=ON
fi
cmake --build "$out/native" -j "$jobs"
if [ ! -f "$out/win32/build.ninja" ]; then
  cmake -S "$root" -B "$out/win32" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
fi
cmake --build "$out/win32" -j "$jobs"
