# Sourced by each dependency script: the architecture it builds for, the
# cache folder, the toolchain file of the mingw cross compiler and a way to
# unpack a Debian source package.
#   QM_ARCH  i686 or x86_64 (default i686)
#   DEPS     cache folder (default ~/.cache/quillmark-deps)
set -euo pipefail
DEPS="${DEPS:-${QUILLMARK_DEPS:-$HOME/.cache/quillmark-deps}}"
QM_ARCH="${QM_ARCH:-i686}"
TRIPLE="$QM_ARCH-w64-mingw32"
SYSROOT="/usr/$TRIPLE"
case "$QM_ARCH" in
  i686|x86_64) ;;
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

# The project's own toolchain file for this architecture.
TOOLCHAIN="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../cmake" && pwd)/mingw-$QM_ARCH.cmake"

# finish PREFIX LINK: marks a completed install and points LINK at it.
finish() {
  touch "$1/.done"
  ln -sfn "$1" "$2"
}
