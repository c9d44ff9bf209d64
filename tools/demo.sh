#!/usr/bin/env bash
# Builds the player and the demo show and plays the demo: VexulDemo.exe (part 1, advances by itself), which
# at its end starts part 2 (Vexul.exe PART2.VXL, advances on Space, Right or a click on the corner arrow).
# Installs what is missing first. With no display it runs under Xvfb, presses Space for the manual part and
# saves screenshots of the player window into <build>/demo/screenshots/.
#   VEXUL_BUILD=dir          build folder (default: build)
#   VEXUL_DEMO_LIMIT=s       stop after this many seconds (default: 120 without a display, 600 with one)
#   VEXUL_DEMO_SHOT_EVERY=s  seconds between screenshots (default: 3)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/env.sh

headless=0
[ -n "${DISPLAY:-}" ] || headless=1
# `import` (imagemagick) takes the screenshots.
[ "$headless" = 1 ] && vexul_packages+=(imagemagick)
vexul_install_packages

build=${VEXUL_BUILD:-build}
echo "== building the player and make_demo"
cmake -S . -B "$build/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/win" -j "$(nproc)" --target Vexul make_demo

advance_pid=""
cleanup() {
  if [ -n "$advance_pid" ]; then kill "$advance_pid" 2>/dev/null || true; fi
  vexul_stop_display
}
if [ "$headless" = 1 ]; then
  vexul_start_display
fi
trap cleanup EXIT
vexul_wine_prefix "$build/win"

out=$(realpath -m "$build/demo")
mkdir -p "$out"
echo "== making the demo in $out"
wine "$build/win/tools/demo/make_demo.exe" "$out" "$build/win/player/Vexul.exe"

limit=${VEXUL_DEMO_LIMIT:-$([ "$headless" = 1 ] && echo 120 || echo 600)}
every=${VEXUL_DEMO_SHOT_EVERY:-3}
shots="$out/screenshots"
if [ "$headless" = 1 ]; then
  rm -rf "$shots"
  mkdir -p "$shots"
  # Stands in for the user of part 2: Space every 2.5 s (the player takes it only while it waits).
  wine "$build/win/tools/demo/make_demo.exe" --advance "Vexul Demo - Part 2" 2500 "$limit" &
  advance_pid=$!
fi

# The player's window, when one is open (both parts' titles begin with "Vexul Demo").
shoot() {
  local id
  id=$(xwininfo -display "$DISPLAY" -root -tree 2>/dev/null | grep -m1 '"Vexul Demo' | awk '{print $1}') || true
  [ -n "$id" ] || return 0
  import -display "$DISPLAY" -window "$id" "$1" 2>/dev/null || true
}

echo "== playing $out/VexulDemo.exe"
(cd "$out" && wine VexulDemo.exe) &
# Part 2 is started by part 1 and is not our child: the show is over when the prefix's last program ends.
sleep 1
wineserver -w &
wait_pid=$!

start=$SECONDS
n=0
while kill -0 "$wait_pid" 2>/dev/null; do
  elapsed=$((SECONDS - start))
  if [ "$elapsed" -ge "$limit" ]; then
    echo "== time limit of $limit s reached: stopping the player"
    wineserver -k || true
    break
  fi
  if [ "$headless" = 1 ] && [ $((elapsed % every)) -eq 0 ] && [ "$elapsed" -ge $((n * every)) ]; then
    n=$((n + 1))
    shoot "$(printf '%s/shot-%03d.png' "$shots" "$elapsed")"
  fi
  sleep 0.5
done
wait "$wait_pid" 2>/dev/null || true
echo "== the demo has ended after $((SECONDS - start)) s"
if [ "$headless" = 1 ]; then
  echo "== screenshots: $shots ($(ls "$shots" | wc -l) files)"
fi
