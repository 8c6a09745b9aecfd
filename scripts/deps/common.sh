# Sourced by each dependency script: the architecture it builds for, the
# cache folder, a toolchain file for the mingw cross compiler and a way to
# unpack a Debian source package.
#   QM_ARCH  i686 or x86_64 (default i686)
#   DEPS     cache folder (default ~/.cache/quillmark-deps)
set -euo pipefail
DEPS="${DEPS:-${QUILLMARK_DEPS:-$HOME/.cache/quillmark-deps}}"
QM_ARCH="${QM_ARCH:-i686}"
TRIPLE="$QM_ARCH-w64-mingw32"
SYSROOT="/usr/$TRIPLE"
case "$QM_ARCH" in
  i686) CMAKE_PROC=x86 ;;
  x86_64) CMAKE_PROC=AMD64 ;;
  *) echo "unknown architecture $QM_ARCH" >&2; exit 1 ;;
esac
mkdir -p "$DEPS"

log() { printf '== %s\n' "$*"; }

# source_version PACKAGE: the version of Debian's source package.
source_version() {
  local v
  v=$(apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/{print $2; exit}')
  if [ -z "$v" ]; then
    echo "no source package for $1 (deb-src entries missing?)" >&2
    exit 1
  fi
  printf '%s' "$v"
}

# unpack_source PACKAGE VERSION DIR: Debian's source, patches applied, in DIR/src.
unpack_source() {
  chmod 777 "$3"  # apt downloads as its own user
  (cd "$3" && apt-get source -q --download-only "$1=$2" >/dev/null \
     && dpkg-source -x --no-check ./*.dsc src >/dev/null)
}

# write_toolchain FILE: a CMake toolchain file for this architecture.
write_toolchain() {
  cat > "$1" <<TC
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR $CMAKE_PROC)
set(CMAKE_C_COMPILER $TRIPLE-gcc-posix)
set(CMAKE_CXX_COMPILER $TRIPLE-g++-posix)
set(CMAKE_RC_COMPILER $TRIPLE-windres)
set(CMAKE_FIND_ROOT_PATH $SYSROOT)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TC
}

# finish PREFIX LINK: marks a completed install and points LINK at it.
finish() {
  touch "$1/.done"
  ln -sfn "$1" "$2"
}
