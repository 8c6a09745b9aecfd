#!/usr/bin/env bash
# libarchive for the stand-in archiver libraries: Debian's source package,
# cross-built as a static library with zlib (ZIP deflate, CAB MSZIP, gzip),
# bzip2 and liblzma (built before it by bzip2.sh and xz.sh). LHA, LZX, RAR
# and PPMd decoding are built into libarchive itself. Other optional codecs,
# crypto and the tools are off.
. "$(dirname "$0")/common.sh"
VER=$(source_version libarchive)
BZ="$DEPS/bzip2-$QM_ARCH"
XZ="$DEPS/xz-$QM_ARCH"
for d in "$BZ" "$XZ"; do
  [ -f "$d/.done" ] || { echo "libarchive.sh: $d missing (run bzip2.sh and xz.sh first)" >&2; exit 1; }
done
# The codec set is part of the key: a cached build without bzip2 and xz is
# not the one this script makes.
PREFIX="$DEPS/libarchive-${VER//:/_}-z-bz2-xz-$QM_ARCH"
if [ ! -f "$PREFIX/.done" ]; then
  log "building libarchive $VER for $TRIPLE"
  work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
  unpack_source libarchive "$VER" "$work"
  # The configure runs one test program (does zlib need ZLIB_WINAPI?). A
  # cross build cannot run it; on x86-64 it links, and CMake without an
  # emulator crashes there. An emulator that always fails answers "no",
  # which is right for Debian's zlib.
  cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CROSSCOMPILING_EMULATOR=/bin/false \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DZLIB_LIBRARY="$SYSROOT/lib/libz.a" -DZLIB_INCLUDE_DIR="$SYSROOT/include" \
    -DBZIP2_LIBRARY_RELEASE="$BZ/lib/libbz2.a" -DBZIP2_INCLUDE_DIR="$BZ/include" \
    -DLIBLZMA_LIBRARY="$XZ/lib/liblzma.a" -DLIBLZMA_INCLUDE_DIR="$XZ/include" \
    -DENABLE_ZLIB=ON -DENABLE_BZip2=ON -DENABLE_LZMA=ON -DENABLE_ZSTD=OFF \
    -DENABLE_LZ4=OFF -DENABLE_LZO=OFF -DENABLE_LIBB2=OFF -DENABLE_LIBXML2=OFF \
    -DENABLE_EXPAT=OFF -DENABLE_PCREPOSIX=OFF \
    -DENABLE_OPENSSL=OFF -DENABLE_NETTLE=OFF -DENABLE_MBEDTLS=OFF -DENABLE_CNG=OFF \
    -DENABLE_ICONV=OFF -DENABLE_ACL=OFF -DENABLE_XATTR=OFF -DENABLE_LIBGCC=OFF -DPOSIX_REGEX_LIB=NONE \
    -DENABLE_TAR=OFF -DENABLE_CPIO=OFF -DENABLE_CAT=OFF -DENABLE_TEST=OFF \
    -DENABLE_WERROR=OFF -DENABLE_INSTALL=OFF > "$work/configure.log"
  grep -q 'HAVE_BZLIB_H 1' "$work/build/build/cmake/config.h" 2>/dev/null \
    || grep -rq 'define HAVE_BZLIB_H 1' "$work/build" \
    || { echo "libarchive.sh: bzip2 not found by the configure" >&2; exit 1; }
  grep -rq 'define HAVE_LZMA_H 1' "$work/build" \
    || { echo "libarchive.sh: liblzma not found by the configure" >&2; exit 1; }
  ninja -C "$work/build" -j"$(nproc)" archive_static >/dev/null
  mkdir -p "$PREFIX.tmp/include" "$PREFIX.tmp/lib"
  cp "$work/src/libarchive/archive.h" "$work/src/libarchive/archive_entry.h" "$PREFIX.tmp/include/"
  cp "$(find "$work/build" -name 'libarchive*.a' | head -n 1)" "$PREFIX.tmp/lib/libarchive.a"
  rm -rf "$PREFIX"
  mv "$PREFIX.tmp" "$PREFIX"
fi
finish "$PREFIX" "$DEPS/libarchive-$QM_ARCH"
