#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz (host build with clang, AddressSanitizer and UBSan) and runs
# each one for the given seconds (default 60), starting from the seed corpora that fuzz_seeds writes with
# the project's own writers. Inputs that grow coverage are kept between runs in <build>/fuzz/found/<target>;
# a crash leaves its input in <build>/fuzz/crashes/ and makes the script fail.
#   tools/fuzz.sh [seconds]
#   VEXUL_BUILD=dir   build folder (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/env.sh

vexul_install_packages

seconds=${1:-60}
build=${VEXUL_BUILD:-build}/fuzz
targets=(fuzz_pack_memory fuzz_pack_file fuzz_settings fuzz_colour fuzz_show_text fuzz_gif_frames fuzz_bmp_layout fuzz_font_entry)

echo "== fuzzing build (clang)"
cmake -S . -B "$build" -G Ninja -DVEXUL_HOST=ON -DVEXUL_FUZZ=ON -DCMAKE_C_COMPILER=clang \
      -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_seeds "${targets[@]}"

rm -rf "$build/seeds"
"$build/tests/fuzz/fuzz_seeds" "$build/seeds"
mkdir -p "$build/crashes"

failed=0
for t in "${targets[@]}"; do
  mkdir -p "$build/found/$t"
  log="$build/$t.log"
  rc=0
  ASAN_OPTIONS=allocator_may_return_null=1 "$build/tests/fuzz/$t" -max_total_time="$seconds" -print_final_stats=1 \
    -rss_limit_mb=2048 -artifact_prefix="$build/crashes/$t-" "$build/found/$t" "$build/seeds/$t" >"$log" 2>&1 || rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  if [ "$rc" -ne 0 ]; then
    failed=1
    echo "== $t: FAILED after ${runs:-?} executions (exit $rc), see $log"
    grep -m5 -E "ERROR|runtime error|SUMMARY" "$log" || true
  else
    echo "== $t: ${runs:-?} executions in $seconds s, no crash"
  fi
done
exit "$failed"
