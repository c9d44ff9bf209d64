#!/usr/bin/env bash
# Builds the UI class library's showcase (tests/uiframes/app/) and opens it for a look: an MDI program with
# the menu bar, cool menus, tool bars docked and floating, the colour pop-up, docking windows, user tools
# and the customize dialog; its bar layout is kept between runs. Installs what is missing first. With no
# display it runs under Xvfb, where the showcase shows itself on its own (/tour: the customize dialog's pages,
# the colour pop-up, two menus, a tool bar docked left, right and by each docking window, the menu bar floated
# and docked back) and ends, and saves screenshots of the screen into
# <build>/uilib-demo/screenshots/.
#   VEXUL_BUILD=dir          build folder (default: build)
#   VEXUL_DEMO_LIMIT=s       stop after this many seconds (default: 60 without a display, 600 with one)
# Exit code 1 when the time limit ended the showcase.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/env.sh

build=${VEXUL_BUILD:-build}
vexul_demo_prepare "$build" UilibShowcase
trap vexul_stop_display EXIT
vexul_wine_prefix "$build/win"

exe="$build/win/tests/uiframes/UilibShowcase.exe"
limit=${VEXUL_DEMO_LIMIT:-$([ "$headless" = 1 ] && echo 60 || echo 600)}
shots=""
args=()
if [ "$headless" = 1 ]; then
  shots=$(realpath -m "$build/uilib-demo/screenshots")
  rm -rf "$shots"
  mkdir -p "$shots"
  args=(/tour)
fi
echo "== running $exe ${args[*]:-}"
wine "$exe" "${args[@]}" &
pid=$!
start=$SECONDS
rc=0
n=0
while kill -0 "$pid" 2>/dev/null; do
  elapsed=$((SECONDS - start))
  if [ "$elapsed" -ge "$limit" ]; then
    echo "== time limit of $limit s reached: stopping the showcase"
    wineserver -k || true
    rc=1
    break
  fi
  if [ -n "$shots" ] && [ "$elapsed" -ge 2 ]; then
    n=$((n + 1))
    vexul_shoot_screen "$(printf '%s/shot-%03d.png' "$shots" "$n")"
  fi
  sleep 1
done
wait "$pid" 2>/dev/null || true
echo "== the showcase has ended after $((SECONDS - start)) s"
if [ -n "$shots" ]; then
  echo "== screenshots: $shots ($(ls "$shots" | wc -l) files)"
fi
exit "$rc"
