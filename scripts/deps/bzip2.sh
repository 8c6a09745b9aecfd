#!/usr/bin/env bash
# bzip2 for libarchive (".tar.bz2", ".bz2", bzip2 members of 7z and ZIP):
# Debian's source package, the library's seven files compiled into a static
# library with the cross compiler (its Makefile would also build the tools).
. "$(dirname "$0")/common.sh"
VER=$(source_version bzip2)
PREFIX="$DEPS/bzip2-${VER//:/_}-$QM_ARCH"
if [ ! -f "$PREFIX/.done" ]; then
  log "building bzip2 $VER for $TRIPLE"
  work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
  unpack_source bzip2 "$VER" "$work"
  mkdir -p "$work/obj" "$PREFIX/include" "$PREFIX/lib"
  for f in blocksort huffman crctable randtable compress decompress bzlib; do
    "$TRIPLE-gcc-posix" -O2 -D_FILE_OFFSET_BITS=64 -c "$work/src/$f.c" -o "$work/obj/$f.o"
  done
  "$TRIPLE-ar" rcs "$PREFIX/lib/libbz2.a" "$work"/obj/*.o
  cp "$work/src/bzlib.h" "$PREFIX/include/"
fi
finish "$PREFIX" "$DEPS/bzip2-$QM_ARCH"
