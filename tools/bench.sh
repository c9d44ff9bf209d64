#!/usr/bin/env bash
# Builds and runs the frame benchmark (bench/FrameBench.cpp) under Wine: the cost of one player frame for
# every transition effect and object animation at 640 x 480, and the load time of a 30 MB pack against one
# plain read of the file. Installs what is missing first; with no display it runs under Xvfb.
#   VEXUL_BUILD=dir   build folder (default: build)
#   further arguments go to frame_bench (for example --repeat 5)
# Exit code: 0 when every figure is within its target, 1 when one is over, 2 when the benchmark failed.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/env.sh

vexul_install_packages

build=${VEXUL_BUILD:-build}
echo "== building frame_bench"
cmake -S . -B "$build/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/win" -j "$(nproc)" --target frame_bench

if [ -z "${DISPLAY:-}" ]; then
  vexul_start_display
fi
trap vexul_stop_display EXIT
vexul_wine_prefix "$build/win"

echo "== frame_bench"
wine "$build/win/bench/frame_bench.exe" "$@"
