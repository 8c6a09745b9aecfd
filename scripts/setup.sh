#!/usr/bin/env bash
# Installs everything Quillmark needs to build, run and test on Debian 12.
# Safe to run again: every step checks before it acts, and built
# dependencies are cached outside the clone, keyed by version.
set -euo pipefail

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
DEPS="${QUILLMARK_DEPS:-$HOME/.cache/quillmark-deps}"
export DEBIAN_FRONTEND=noninteractive

log() { printf '== %s\n' "$*"; }

# --- deb-src entries, derived from the machine's own deb entries -----------
add_deb_src() {
  local out=/etc/apt/sources.list.d/quillmark-src.sources
  local list=/etc/apt/sources.list.d/quillmark-src.list
  [ -f "$out" ] || [ -f "$list" ] && return 0
  if grep -rqsE '^\s*Types:.*deb-src|^\s*deb-src\s' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return 0
  fi
  log "adding deb-src entries mirroring the existing deb entries"
  local tmp; tmp=$(mktemp)
  # deb822 files: copy each stanza that has Types: deb, as deb-src.
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk 'BEGIN{RS=""; ORS="\n\n"}
         /(^|\n)Types:[^\n]*deb([ \t]|$|\n)/ && !/(^|\n)Enabled:[ \t]*no/ {
           gsub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$f" >> "$tmp"
  done
  if [ -s "$tmp" ]; then
    $SUDO install -m 644 "$tmp" "$out"
  fi
  # one-line format
  : > "$tmp"
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    grep -E '^\s*deb\s' "$f" | sed -E 's/^\s*deb\s/deb-src /' >> "$tmp" || true
  done
  if [ -s "$tmp" ]; then
    $SUDO install -m 644 "$tmp" "$list"
  fi
  rm -f "$tmp"
}

PACKAGES=(
  build-essential cmake ninja-build pkg-config dpkg-dev git python3 zlib1g-dev xz-utils
  g++-mingw-w64-i686 gcc-mingw-w64-i686 binutils-mingw-w64-i686 libz-mingw-w64-dev
  g++-mingw-w64-x86-64 gcc-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  googletest libbenchmark-dev libjpeg62-turbo-dev
  wine wine64 libwine wine32:i386
  locales fonts-ipafont-gothic fonts-ipafont-mincho
  xvfb xauth imagemagick x11-utils xdotool
  clang libclang-rt-14-dev ccache
  zip gcab arj lhasa jlha-utils 7zip bzip2 libarchive-tools
  fp-utils libchm-bin
)

need_packages() {
  local p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || return 0
  done
  return 1
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  log "adding the i386 architecture (32-bit Wine)"
  $SUDO dpkg --add-architecture i386
  UPDATE=1
fi
add_deb_src
if need_packages || [ -n "${UPDATE:-}" ] || ! apt-cache showsrc libjpeg-turbo >/dev/null 2>&1 \
   || [ -z "$(apt-cache showsrc libjpeg-turbo 2>/dev/null)" ]; then
  log "apt-get update"
  # A mirror mid-sync can fail one index; retry, then go on with what we have.
  for try in 1 2 3; do
    $SUDO apt-get update -q && break
    [ "$try" -lt 3 ] && sleep 10
  done || true
fi
if need_packages; then
  log "installing packages"
  for try in 1 2 3; do
    $SUDO apt-get install -y -q --no-install-recommends "${PACKAGES[@]}" && break
    [ "$try" -lt 3 ] || exit 1
    if [ "$try" -eq 1 ]; then
      # 32-bit and 64-bit copies of a library must have one version. When a
      # mirror serves a stale i386 security index the two disagree; prefer the
      # release's own versions, which both architectures carry.
      log "architectures disagree on versions; preferring the release's versions"
      printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' \
        | $SUDO tee /etc/apt/preferences.d/quillmark-multiarch >/dev/null
    else
      sleep 10; $SUDO apt-get update -q || true
    fi
  done
fi

# --- Japanese locale: Wine takes its ANSI code page (932) from it ----------
if ! locale -a 2>/dev/null | grep -qiE '^ja_JP\.utf-?8$'; then
  log "generating ja_JP.UTF-8"
  $SUDO sed -i -E 's/^#\s*(ja_JP\.UTF-8 UTF-8)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi

# --- third-party libraries, cross-built from Debian's source packages -----
# Once per architecture, each cached in its own folder (scripts/deps). The
# order matters: libarchive links bzip2 and liblzma.
export DEPS
for arch in i686 x86_64; do
  for dep in libjpeg-turbo bzip2 xz libarchive; do
    QM_ARCH=$arch bash "$(dirname "$0")/deps/$dep.sh"
  done
done

log "setup complete (dependencies in $DEPS)"
