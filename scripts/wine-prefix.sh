#!/usr/bin/env bash
# Makes the Wine prefix of a build tree ready: created once, with the
# Japanese UI fonts mapped to the IPA fonts that Debian ships, and crashes
# reported as a backtrace that ends the process (no crash dialog waiting
# for a click, which would hang a test until its time-out).
# usage: wine-prefix.sh BUILD_DIR
set -euo pipefail
build=$1
prefix="$build/wineprefix"
run="$build/wine-run.sh"
[ -f "$prefix/.quillmark-ready" ] && exit 0
"$run" wineboot -i >/dev/null 2>&1 || true
reg=$(mktemp --suffix=.reg)
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  printf '"ＭＳ Ｐゴシック"="IPAPGothic"\r\n"ＭＳ ゴシック"="IPAGothic"\r\n'
  printf '"MS PGothic"="IPAPGothic"\r\n"MS Gothic"="IPAGothic"\r\n'
  printf '"ＭＳ Ｐ明朝"="IPAPMincho"\r\n"ＭＳ 明朝"="IPAMincho"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n'
  printf '"ShowCrashDialog"=dword:00000000\r\n\r\n'
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
"$run" regedit /S "$("$run" winepath -w "$reg" 2>/dev/null || echo "Z:${reg//\//\\}")" >/dev/null 2>&1
rm -f "$reg"
"$run" --server -w 2>/dev/null || true
touch "$prefix/.quillmark-ready"
