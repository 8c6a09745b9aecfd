#!/usr/bin/env bash
# Picture loads as the image pane does them beside libjpeg-turbo and libpng
# (a Release build in build/bench), in rounds, with fresh and with reused
# memory: medians and ratios, each ratio also from rounds that pair the
# two runs. Usage: scripts/bench_pictures.sh [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$root/build/bench" qm_picture_bench >/dev/null
exec python3 "$root/scripts/bench_ratios.py" "$root/build/bench/tests/qm_picture_bench" \
  --reps "${1:-7}" \
  --ratio BM_JpegAgain/BM_JpegReference --ratio BM_JpegFreshPicture/BM_JpegReference \
  --ratio BM_JpegFitted600x400/BM_JpegAgain --ratio BM_PngAgain/BM_PngReference \
  --ratio BM_PngFreshPicture/BM_PngReference \
  --pair BM_JpegAgain/BM_JpegReference \
  --pair BM_JpegFreshPicture/BM_JpegReference \
  --pair BM_JpegFitted600x400/BM_JpegAgain \
  --pair BM_PngAgain/BM_PngReference \
  --pair BM_PngFreshPicture/BM_PngReference
