#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine: the frame benchmark (bench/FrameBench.cpp: the cost of one
# player frame for every transition effect and object animation at 640 x 480, and the load time of a 30 MB
# pack against one plain read of the file), the show text benchmark (bench/ShowTextBench.cpp: reading the
# largest show text and crafted ones with the show model) and the compile benchmark (bench/CompileBench.cpp:
# the editor's compile of a 30 MB project against a bare resource update round) and the editor benchmark
# (bench/EditorBench.cpp: the thumbnails of a 40-slide project, with BMP and with JPEG pictures, each against
# decoding its backgrounds, the answers of the user-interface thread meanwhile, and saving against a safe copy
# of the same bytes and a plain copy of the pack). Installs what is missing
# first; with no display it runs under Xvfb.
#   VEXUL_BUILD=dir   build folder (default: build)
#   further arguments go to every benchmark (for example --repeat 5)
# Exit code: 0 when every figure is within its target, 1 when one is over, 2 when a benchmark failed.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/env.sh

vexul_install_packages

build=${VEXUL_BUILD:-build}
echo "== building the benchmarks"
cmake -S . -B "$build/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/win" -j "$(nproc)" --target frame_bench --target showtext_bench --target compile_bench --target editor_bench

if [ -z "${DISPLAY:-}" ]; then
  vexul_start_display
fi
trap vexul_stop_display EXIT
vexul_wine_prefix "$build/win"

status=0
for bench in frame_bench showtext_bench compile_bench editor_bench; do
  echo "== $bench"
  code=0
  wine "$build/win/bench/$bench.exe" "$@" || code=$?
  [ "$code" -gt "$status" ] && status=$code
done
exit "$status"
