#!/usr/bin/env bash
# Listing benchmark: a ZIP (Info-ZIP's zip) and a 7z (7-Zip) of 10,000
# members each, listed through the program's archive control (qmtool
# archive time: one Wine process per run, timed inside it around the
# control's listing, so Wine's start-up is not counted but loading the
# archiver library is; the library keeps its last listing, so a run in a
# process of its own is never served from it) beside `bsdtar -tf` of the
# same file, in the same run. Prints medians and the ratio.
#   tests/archive/bench_listing.sh [TREE] [RUNS]    (TREE default build/win64)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
tree=${1:-$root/build/win64}
runs=${2:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/src"
python3 - "$work/src" <<'PY'
import os, sys
root = sys.argv[1]
for i in range(10000):
    d = os.path.join(root, "dir%02d" % (i % 50))
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, "file%05d.txt" % i), "w") as f:
        f.write("member %d\n" % i)
PY
(cd "$work/src" && zip -q -r "$work/many.zip" . && 7zz a -bd "$work/many.7z" . >/dev/null)

median_bsdtar() {
  local f=$1 t=()
  for _ in $(seq "$runs"); do
    local s e
    s=$(date +%s%N); bsdtar -tf "$f" >/dev/null; e=$(date +%s%N)
    t+=($(( (e - s) / 1000 )))
  done
  printf '%s\n' "${t[@]}" | sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1000}'
}

printf 'archive\tmembers\tcontrol_ms\tbsdtar_ms\tratio\n'
for f in many.zip many.7z; do
  times=()
  for _ in $(seq "$runs"); do
    out=$("$tree/wine-run.sh" "$tree/bin/qmtool.exe" archive time "Z:$work/$f" 1 | tr -d '\r')
    members=$(awk -F'\t' '$1=="members"{print $2}' <<<"$out")
    times+=("$(awk -F'\t' '$1=="median_ms"{print $2}' <<<"$out")")
  done
  ours=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
  theirs=$(median_bsdtar "$work/$f")
  ratio=$(awk -v a="$ours" -v b="$theirs" 'BEGIN{printf "%.2f", a/b}')
  printf '%s\t%s\t%s\t%s\t%s\n' "$f" "$members" "$ours" "$theirs" "$ratio"
done
