#!/bin/sh
# Writes each UTF-8 text in every encoding the viewer reads, made by iconv so
# the tests read files another tool wrote:
#   NAME.cp932 (what the viewer should show), NAME.euc, NAME.jis, NAME.u8,
#   NAME.u8bom, NAME.u16le and NAME.u16be (both with a byte-order mark);
#   and encoded.zip, a ZIP archive of some of them.
# Usage: make_encoded_texts.sh OUTDIR TEXT.txt...
set -eu
out=$1
shift
mkdir -p "$out"
for text in "$@"; do
    name=$(basename "$text" .txt)
    iconv -f UTF-8 -t CP932 "$text" > "$out/$name.cp932"
    iconv -f UTF-8 -t EUC-JP "$text" > "$out/$name.euc"
    # Plain ISO-2022-JP has no half-width katakana; the -3 variant adds
    # them as ESC ( I and keeps ESC $ B for the rest.
    iconv -f UTF-8 -t ISO-2022-JP "$text" > "$out/$name.jis" 2>/dev/null ||
        iconv -f UTF-8 -t ISO-2022-JP-3 "$text" > "$out/$name.jis"
    cp "$text" "$out/$name.u8"
    { printf '\357\273\277'; cat "$text"; } > "$out/$name.u8bom"
    { printf '\377\376'; iconv -f UTF-8 -t UTF-16LE "$text"; } > "$out/$name.u16le"
    { printf '\376\377'; iconv -f UTF-8 -t UTF-16BE "$text"; } > "$out/$name.u16be"
done
# Some of them as members of a ZIP archive, for the archive pane.
python3 - "$out/encoded.zip" "$out/prose.u8" "$out/prose.euc" "$out/prose.jis" <<'PY'
import os
import sys
import zipfile
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    for path in sys.argv[2:]:
        z.write(path, os.path.basename(path))
PY
