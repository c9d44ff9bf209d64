#!/usr/bin/env bash
# Builds everything and runs every test: the host build (portable code under the sanitizers) and the
# Windows build under Wine and Xvfb. Installs what is missing first. Exits non-zero on any failure.
#   VEXUL_BUILD=dir   build folder (default: build)
#   VEXUL_SKIP_HOST=1 skip the host build (and the fuzz targets)
#   VEXUL_FUZZ_SECONDS=n  how long each fuzz target runs (default 5; tools/fuzz.sh runs them longer)
#   VEXUL_TARGETS="t1 t2" build only these targets of the Windows build (default: all)
#   further arguments go to the Windows build's ctest (for example -R test_show)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/env.sh

vexul_install_packages

build=${VEXUL_BUILD:-build}
jobs=$(nproc)

if [ "${VEXUL_SKIP_HOST:-0}" != 1 ]; then
  echo "== host build (sanitizers)"
  cmake -S . -B "$build/host" -G Ninja -DVEXUL_HOST=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$build/host" -j "$jobs"
  ASAN_OPTIONS=detect_leaks=0 ctest --test-dir "$build/host" --output-on-failure -j "$jobs"
  echo "== fuzz targets, ${VEXUL_FUZZ_SECONDS:-5} s each"
  VEXUL_BUILD="$build" tools/fuzz.sh "${VEXUL_FUZZ_SECONDS:-5}"
fi

echo "== Windows build"
cmake -S . -B "$build/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
targets=()
for t in ${VEXUL_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build/win" -j "$jobs" "${targets[@]}"

vexul_start_display
trap vexul_stop_display EXIT
vexul_wine_prefix "$build/win"

echo "== tests under Wine"
ctest --test-dir "$build/win" --output-on-failure "$@"
