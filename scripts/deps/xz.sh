#!/usr/bin/env bash
# liblzma for libarchive (".tar.xz", ".xz", LZMA and LZMA2 in 7z): Debian's
# xz-utils source package, its CMake build, the static library only.
. "$(dirname "$0")/common.sh"
VER=$(source_version xz-utils)
PREFIX="$DEPS/xz-${VER//:/_}-$QM_ARCH"
if [ ! -f "$PREFIX/.done" ]; then
  log "building liblzma (xz-utils $VER) for $TRIPLE"
  work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
  unpack_source xz-utils "$VER" "$work"
  cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=OFF >/dev/null
  ninja -C "$work/build" liblzma >/dev/null
  mkdir -p "$PREFIX/include" "$PREFIX/lib"
  cp -r "$work/src/src/liblzma/api/lzma.h" "$work/src/src/liblzma/api/lzma" "$PREFIX/include/"
  cp "$(find "$work/build" -name 'liblzma.a' | head -n 1)" "$PREFIX/lib/liblzma.a"
fi
finish "$PREFIX" "$DEPS/xz-$QM_ARCH"
