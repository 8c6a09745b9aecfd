#!/usr/bin/env bash
# libarchive for the stand-in archiver DLLs: Debian's source package,
# cross-built with the mingw toolchain as a static library. Only the codecs
# the read formats need are on (zlib for ZIP deflate, CAB MSZIP and gzip);
# LHA, LZX and RAR decoding are built into libarchive itself.
# Installs into "$DEPS/libarchive-<version>-i686" and points
# "$DEPS/libarchive-i686" at it. A finished prefix carries ".done", so a
# rerun only refreshes the symlink.
set -euo pipefail

DEPS="${DEPS:-${QUILLMARK_DEPS:-$HOME/.cache/quillmark-deps}}"
if [ -z "${SUDO+x}" ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
fi

log() { printf '== %s\n' "$*"; }

# Build tools the cross build needs beyond what setup.sh installs.
NEED=()
for p in cmake ninja-build dpkg-dev gcc-mingw-w64-i686 libz-mingw-w64-dev xz-utils; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || NEED+=("$p")
done
if [ "${#NEED[@]}" -gt 0 ]; then
  log "installing ${NEED[*]}"
  $SUDO apt-get install -y -q --no-install-recommends "${NEED[@]}"
fi

VER=$(apt-cache showsrc libarchive 2>/dev/null | awk '/^Version:/{print $2; exit}')
if [ -z "$VER" ]; then
  echo "libarchive.sh: no source package for libarchive (deb-src entries missing?)" >&2
  exit 1
fi
PREFIX="$DEPS/libarchive-${VER//:/_}-i686"
mkdir -p "$DEPS"

if [ ! -f "$PREFIX/.done" ]; then
  log "building libarchive $VER for i686-w64-mingw32"
  work=$(mktemp -d)
  chmod 777 "$work"  # apt downloads as its own user
  trap 'rm -rf "$work"' EXIT
  (cd "$work" && apt-get source -q --download-only "libarchive=$VER" >/dev/null \
     && dpkg-source -x --no-check ./*.dsc src >/dev/null)
  cat > "$work/toolchain.cmake" <<TC
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TC
  # Point zlib at the static archive so the DLLs need no zlib1.dll.
  cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DZLIB_LIBRARY=/usr/i686-w64-mingw32/lib/libz.a \
    -DZLIB_INCLUDE_DIR=/usr/i686-w64-mingw32/include \
    -DENABLE_ZLIB=ON -DENABLE_BZip2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF \
    -DENABLE_LZ4=OFF -DENABLE_LZO=OFF -DENABLE_LIBB2=OFF -DENABLE_LIBXML2=OFF \
    -DENABLE_EXPAT=OFF -DENABLE_PCREPOSIX=OFF \
    -DENABLE_OPENSSL=OFF -DENABLE_NETTLE=OFF -DENABLE_MBEDTLS=OFF -DENABLE_CNG=OFF \
    -DENABLE_ICONV=OFF -DENABLE_ACL=OFF -DENABLE_XATTR=OFF -DENABLE_LIBGCC=OFF -DPOSIX_REGEX_LIB=NONE \
    -DENABLE_TAR=OFF -DENABLE_CPIO=OFF -DENABLE_CAT=OFF -DENABLE_TEST=OFF \
    -DENABLE_WERROR=OFF -DENABLE_INSTALL=OFF >/dev/null
  ninja -C "$work/build" -j2 archive_static >/dev/null
  mkdir -p "$PREFIX.tmp/include" "$PREFIX.tmp/lib"
  cp "$work/src/libarchive/archive.h" "$work/src/libarchive/archive_entry.h" "$PREFIX.tmp/include/"
  lib=$(find "$work/build" -name 'libarchive*.a' | head -n 1)
  cp "$lib" "$PREFIX.tmp/lib/libarchive.a"
  rm -rf "$PREFIX"
  mv "$PREFIX.tmp" "$PREFIX"
  # Users of the static library must define LIBARCHIVE_STATIC on Windows.
  echo "LIBARCHIVE_STATIC" > "$PREFIX/defines.txt"
  touch "$PREFIX/.done"
fi
ln -sfn "$PREFIX" "$DEPS/libarchive-i686"
