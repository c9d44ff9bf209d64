#!/usr/bin/env bash
# Plays the demo headless many times and reports every run that did not end by itself (a player that
# stopped advancing runs into the time limit). The first run is tools/demo.sh itself (it builds and makes
# the demo); the others each get a display of their own and a copy of the Wine prefix and of the demo
# folder, so that several can run at once. A stalled run keeps its folder, screenshots included, under
# <build>/soak/; the others are removed.
#   tools/demo-soak.sh [runs] [at once]   (default: 30 runs, 3 at once)
#   VEXUL_BUILD=dir       build folder (default: build)
#   VEXUL_DEMO_LIMIT=s    seconds after which a run counts as stalled (default: 120; a run takes about 60)
# Exit code 1 when a run stalled.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/env.sh

runs=${1:-30}
parallel=${2:-3}
build=${VEXUL_BUILD:-build}
limit=${VEXUL_DEMO_LIMIT:-120}
soak=$(realpath -m "$build/soak")
rm -rf "$soak"
mkdir -p "$soak"

echo "== run 1 of $runs: tools/demo.sh"
first=ok
env -u DISPLAY VEXUL_BUILD="$build" VEXUL_DEMO_LIMIT="$limit" tools/demo.sh >"$soak/run-1.log" 2>&1 || first=stalled
make_demo=$(realpath "$build/win/tools/demo/make_demo.exe")
prefix=$(realpath "$build/win/wineprefix")
demo=$(realpath "$build/demo")
if [ "$first" = stalled ]; then
  mkdir -p "$soak/run-1"
  cp -r "$demo/screenshots" "$soak/run-1/" 2>/dev/null || true
fi

# One run in its own folder, display and prefix; prints "ok" or "stalled".
play_once() {
  local n=$1 dir="$soak/run-$1"
  mkdir -p "$dir"
  # The prefix's files are linked, not copied (its system folder alone is some 600 MB); the registry, which
  # Wine rewrites, is copied.
  cp -al "$prefix" "$dir/wineprefix"
  for reg in "$dir"/wineprefix/*.reg; do cp --remove-destination "$prefix/$(basename "$reg")" "$reg"; done
  mkdir -p "$dir/demo"
  cp "$demo"/*.VXL "$demo"/*.exe "$dir/demo/"
  (
    unset DISPLAY VEXUL_DISPLAY
    vexul_start_display >/dev/null
    trap vexul_stop_display EXIT
    vexul_wine_prefix "$dir"
    vexul_play_demo "$dir/demo" "$limit" "$make_demo" "$dir/screenshots"
  ) >"$soak/run-$n.log" 2>&1 && echo ok || echo stalled
}

stalled=()
[ "$first" = ok ] || stalled+=(1)
echo "== run 1: $first"
n=2
while [ "$n" -le "$runs" ]; do
  pids=()
  batch=()
  for ((k = 0; k < parallel && n <= runs; k++, n++)); do
    play_once "$n" >"$soak/run-$n.result" &
    pids+=($!)
    batch+=("$n")
  done
  wait "${pids[@]}" || true
  for r in "${batch[@]}"; do
    result=$(cat "$soak/run-$r.result")
    echo "== run $r: $result"
    if [ "$result" = ok ]; then
      rm -rf "$soak/run-$r"
    else
      stalled+=("$r")
      rm -rf "$soak/run-$r/wineprefix"
    fi
    rm -f "$soak/run-$r.result"
  done
done

if [ ${#stalled[@]} -gt 0 ]; then
  echo "== ${#stalled[@]} of $runs runs stalled: ${stalled[*]} (logs and screenshots in $soak)"
  exit 1
fi
echo "== all $runs runs ended by themselves"
