#!/usr/bin/env bash
# Takes the screenshots a person checks after a change to the windows: the
# main window on the sample folder, archives, the media pane playing, the
# settings windows, the search window, a text with a search hit, pictures
# fitted. Runs the built tree's qmtool under Wine in a virtual display and
# writes PNG files to build/screenshots/<tree>/.
# usage: scripts/screenshots.sh [win64|win32]   (after scripts/build.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${QM_BUILD_DIR:-$root/build}
tree=${1:-win64}
if [ -z "${QM_SHOTS_INNER:-}" ]; then
  "$root/scripts/wine-prefix.sh" "$out/$tree"
  QM_SHOTS_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
build="$out/$tree"
run="$build/wine-run.sh"
tool="$build/bin/qmtool.exe"
samples="$build/samples"
shots="$out/screenshots/$tree"
mkdir -p "$shots"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"; "$run" --server -k 2>/dev/null || true' EXIT
"$run" --server -p
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# shot NAME qmtool-arguments...: the tool writes a .BMP (its OUT argument
# is given as @OUT@), converted to PNG.
shot() {
  local name=$1; shift
  local bmp="$tmp/$name.bmp" args=() a
  for a in "$@"; do args+=("${a//@OUT@/$(winpath "$bmp")}"); done
  if "$run" "$tool" "${args[@]}" >"$tmp/$name.log" 2>&1 && [ -s "$bmp" ]; then
    /usr/bin/convert "$bmp" "$shots/$name.png"
    echo "  $shots/$name.png"
  else
    echo "  $name FAILED:"; sed 's/^/    /' "$tmp/$name.log"
    failed=1
  fi
}
failed=0
echo "== screenshots of $tree"
shot main-window show-files "$(winpath "$samples/text")" @OUT@
shot archive-zip show-archive "$(winpath "$build/tests/archive_samples/pane.zip")" docs @OUT@
shot archive-nested-zip show-archive "$(winpath "$build/tests/archive_samples/pane.zip")" inner.zip @OUT@
shot archive-arj show-preview "$(winpath "$samples/archives/sample.arj")" @OUT@
shot archive-7z show-preview "$(winpath "$build/tests/archive_samples/real/utf8.7z")" @OUT@
shot archive-tar-bz2 show-preview "$(winpath "$build/tests/archive_samples/real/sjis.tar.bz2")" @OUT@
shot media-clip show-preview "$(winpath "$samples/media/clip.avi")" @OUT@ 2500
shot settings show-settings 0 @OUT@
shot textview-settings show-textview-settings 0 @OUT@
shot search-shortcuts show-setfile shortcut "$(winpath "$samples")" @OUT@
shot search-page show-setfile search "$(winpath "$samples")" @OUT@
# A search under way needs a tree that takes a while to walk.
shot search-running show-setfile searching "$(winpath /usr/share)" @OUT@
shot text-search-hit show-text "$(winpath "$samples/text/hello.c")" @OUT@ search=printf
shot text-japanese show-preview "$(winpath "$samples/text/japanese.txt")" @OUT@
shot picture-png show-image "$(winpath "$samples/images/png_rgba.png")" @OUT@ fit
shot picture-jpeg show-image "$(winpath "$samples/images/photo.jpg")" @OUT@ fit
exit $failed
