#!/usr/bin/env bash
# The text engine's benchmarks (a Release build in build/bench), in rounds,
# with fresh and with reused memory: medians and the ratios the README
# quotes, each ratio also from rounds that pair the two runs.
# Usage: scripts/bench_text.sh [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$root/build/bench" qm_textview_bench >/dev/null
exec python3 "$root/scripts/bench_ratios.py" "$root/build/bench/tests/qm_textview_bench" \
  --reps "${1:-7}" \
  --filter 'BM_(OffsetsSplit|LoadFromFile|LoadWithDesign|BracketsToTheEnd|SimpleWrap80|WrapAll|TokenizeAll|TokenizeAndColour)$' \
  --ratio BM_LoadWithDesign/BM_LoadFromFile --ratio BM_LoadFromFile/BM_OffsetsSplit \
  --ratio BM_WrapAll/BM_SimpleWrap80 --ratio BM_TokenizeAndColour/BM_TokenizeAll \
  --pair BM_LoadWithDesign/BM_LoadFromFile \
  --pair BM_LoadFromFile/BM_OffsetsSplit \
  --pair BM_WrapAll/BM_SimpleWrap80 \
  --pair BM_TokenizeAndColour/BM_TokenizeAll
