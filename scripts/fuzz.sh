#!/usr/bin/env bash
# Builds the fuzz targets of the portable core (fuzz/, clang with libFuzzer,
# AddressSanitizer and UBSan) and runs each for a bounded time.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# SECONDS per target (default 60); all targets unless some are named. Seeds
# come from scripts/fuzz_corpus.py, plus the inputs of fixed findings in
# fuzz/regressions/<target>/, which every run replays first. New inputs
# collect in $QM_BUILD_DIR/fuzz/corpus/<target>; a finding is written to
# $QM_BUILD_DIR/fuzz/findings/ and makes the script fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${QM_BUILD_DIR:-$root/build}/fuzz
seconds=${1:-60}
shift || true
all=(fuzz_png fuzz_text_wrap fuzz_tokenizer fuzz_undo fuzz_member_records fuzz_ini_values fuzz_arj fuzz_text_encoding)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")

if [ ! -f "$out/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root/fuzz" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$out" -j "$(nproc)" --target "${targets[@]}"

seeds="$out/seeds"
stamp="$seeds/.made"
if [ ! -f "$stamp" ] || [ -n "$(find "$root/scripts/fuzz_corpus.py" "$root/scripts/samplegen" -newer "$stamp" -print -quit)" ]; then
  rm -rf "$seeds"
  python3 "$root/scripts/fuzz_corpus.py" "$seeds"
  touch "$stamp"
fi

# Sanitizer findings end the run; leaks count as findings too.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
mkdir -p "$out/findings"
failed=()
summary=()
for t in "${targets[@]}"; do
  corpus="$out/corpus/$t"
  mkdir -p "$corpus"
  dirs=("$corpus" "$seeds/$t")
  [ -d "$root/fuzz/regressions/$t" ] && dirs+=("$root/fuzz/regressions/$t")
  case $t in
    fuzz_png) max_len=65536 ;;        # the sample pictures whole
    fuzz_member_records) max_len=24576 ;;  # forty raw records
    *) max_len=8192 ;;
  esac
  log="$out/$t.log"
  echo "== $t: ${seconds}s"
  if "$out/$t" "${dirs[@]}" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 \
       -max_len="$max_len" -print_final_stats=1 -artifact_prefix="$out/findings/$t-" >"$log" 2>&1; then
    status=ok
  else
    status=FAILED
    failed+=("$t")
    grep -E 'ERROR|runtime error|check failed|SUMMARY|Test unit written' "$log" | head -20 || true
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
  cov=$(grep -Eo 'cov: [0-9]+' <<<"$last" | grep -Eo '[0-9]+' || true)
  corp=$(grep -Eo 'corp: [0-9]+/[0-9]+[a-zA-Z]*' <<<"$last" | sed 's/corp: //' || true)
  summary+=("$(printf '%-22s %-6s %10s %8s %6s %12s' "$t" "$status" "${runs:-?}" "${speed:-?}" \
                "${cov:-?}" "${corp:-?}")")
done
echo "== fuzz summary (${seconds}s per target; logs in $out)"
printf '%-22s %-6s %10s %8s %6s %12s\n' target status runs exec/s cov corpus
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz findings in: ${failed[*]} (inputs in $out/findings)" >&2
  exit 1
fi
