#!/usr/bin/env bash
# Times the folder listing and the file search under Wine against `find`:
# a folder of 10,000 files listed and sorted as the file list does it, and
# a search for *.txt over 100,000 files in 1,000 folders. Prints medians of
# several runs. Usage: scripts/bench_search.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win64}
runs=${2:-5}
data=${QM_BENCH_DIR:-/tmp/qm-bench-search}
run="$build/wine-run.sh"
tool="$build/bin/qmtool.exe"

if [ ! -f "$data/.made" ]; then
  rm -rf "$data"
  mkdir -p "$data"
  python3 - "$data" <<'PY'
import os, sys
base = sys.argv[1]
flat = os.path.join(base, "flat")
os.makedirs(flat)
for i in range(10000):
    with open(os.path.join(flat, "file%05d.%s" % (i, "txt" if i % 2 else "dat")), "wb") as f:
        f.write(b"x" * (i % 97))
# 10 folders with 99 sub-folders each: 1,000 folders of 100 files.
tree = os.path.join(base, "tree")
folders = []
for a in range(10):
    top = os.path.join(tree, "top%02d" % a)
    folders.append(top)
    folders += [os.path.join(top, "sub%02d" % b) for b in range(99)]
for d in folders:
    os.makedirs(d, exist_ok=True)
    for i in range(100):
        with open(os.path.join(d, "f%03d.%s" % (i, "txt" if i % 2 else "dat")), "wb") as f:
            f.write(b"y")
PY
  touch "$data/.made"
fi

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
winpath() { echo "Z:${1//\//\\}"; }
ms_of() { awk -v key="$1" '$1==key {print $2}'; }

"$run" wineboot -i >/dev/null 2>&1 || true

finds=() ; fstats=() ; walks=() ; list=() ; search=() ; searchwall=() ; hits=""
for _ in $(seq "$runs"); do
  t0=$(date +%s%N)
  find "$data/tree" -name '*.txt' > /dev/null
  t1=$(date +%s%N)
  finds+=($(( (t1 - t0) / 1000000 )))
  # What the Windows find calls hand back for every entry: size, time, attributes.
  t0=$(date +%s%N)
  find "$data/tree" -printf '%s %T@ %m %f\n' > /dev/null
  t1=$(date +%s%N)
  fstats+=($(( (t1 - t0) / 1000000 )))
  walks+=($("$run" "$tool" walk "$(winpath "$data/tree")" 2>/dev/null | ms_of walk_ms))
  list+=($("$run" "$tool" list "$(winpath "$data/flat")" 2>/dev/null | ms_of list_ms))
  t0=$(date +%s%N)
  out=$("$run" "$tool" search "$(winpath "$data/tree")" '*.txt' 2>/dev/null)
  t1=$(date +%s%N)
  search+=($(echo "$out" | ms_of search_ms))
  hits=$(echo "$out" | ms_of hits)
  searchwall+=($(( (t1 - t0) / 1000000 )))
done

f=$(printf '%s\n' "${finds[@]}" | median)
l=$(printf '%s\n' "${list[@]}" | median)
g=$(printf '%s\n' "${fstats[@]}" | median)
k=$(printf '%s\n' "${walks[@]}" | median)
s=$(printf '%s\n' "${search[@]}" | median)
w=$(printf '%s\n' "${searchwall[@]}" | median)
echo "list 10,000 files (list + sort, Wine): ${l} ms"
echo "find TREE -name '*.txt' (100,000 files, 1,000 folders): ${f} ms"
echo "find TREE -printf size, time and mode of every entry: ${g} ms"
echo "bare FindFirstFile/FindNextFile walk under Wine, in process: ${k} ms"
echo "search *.txt under Wine, in process: ${s} ms (${hits} hits)"
echo "search *.txt under Wine, whole process: ${w} ms"
awk -v s="$s" -v f="$f" -v k="$k" 'BEGIN {printf "ratio search/find: %.2f\nratio walk/find (the platform floor): %.2f\nratio search/walk: %.2f\n", s / f, k / f, s / k}'
