#!/usr/bin/env bash
# libjpeg-turbo for the program's JPEG decoding: Debian's source package,
# cross-built as a static library (no SIMD: the assembler is not needed).
. "$(dirname "$0")/common.sh"
VER=$(source_version libjpeg-turbo)
PREFIX="$DEPS/libjpeg-turbo-${VER//:/_}-$QM_ARCH"
if [ ! -f "$PREFIX/.done" ]; then
  log "building libjpeg-turbo $VER for $TRIPLE"
  work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
  unpack_source libjpeg-turbo "$VER" "$work"
  cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DWITH_SIMD=OFF -DENABLE_SHARED=OFF \
    -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF >/dev/null
  cmake --build "$work/build" --target install >/dev/null
fi
finish "$PREFIX" "$DEPS/libjpeg-$QM_ARCH"
