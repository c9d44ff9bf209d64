#!/usr/bin/env bash
# Builds both programs and the demo show, opens the editor on the demo's project and then plays the demo:
# VexulDemo.exe (part 1, advances by itself), which at its end starts part 2 (Vexul.exe PART2.VXL, advances
# on Space, Right or a click on the corner arrow). Installs what is missing first. With a display the demo
# plays when the editor is closed. With no display it runs under Xvfb, stands in for the user (opens the first
# slide in the slide editor, then closes the editor; presses Space for the manual part) and saves screenshots
# of the editor into <build>/demo/editor/ and of the player window into <build>/demo/screenshots/.
#   VEXUL_BUILD=dir          build folder (default: build)
#   VEXUL_DEMO_LIMIT=s       stop after this many seconds (default: 120 without a display, 600 with one)
#   VEXUL_DEMO_SHOT_EVERY=s  seconds between screenshots (default: 3)
# Exit code 1 when the time limit ended the demo.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/env.sh

build=${VEXUL_BUILD:-build}
vexul_demo_prepare "$build" Vexul VexulCreator vx_app make_demo
trap vexul_stop_display EXIT
vexul_wine_prefix "$build/win"

out=$(realpath -m "$build/demo")
mkdir -p "$out"
echo "== making the demo in $out"
wine "$build/win/tools/demo/make_demo.exe" "$out" "$build/win/player/Vexul.exe"

limit=${VEXUL_DEMO_LIMIT:-$([ "$headless" = 1 ] && echo 120 || echo 600)}
shots=""
[ "$headless" = 1 ] && shots="$out/screenshots"

# The editor works on its own copy of the show, as a project folder, so the demo's packs stay as made.
project="$out/project"
rm -rf "$project"
mkdir -p "$project"
cp "$out/VEXUL.VXL" "$project/"
echo "== opening the editor on $project"
vexul_show_editor "$build/win/app" "$project" "$build/win/tools/demo/make_demo.exe" \
  "$([ "$headless" = 1 ] && echo "$out/editor")"
echo "== playing $out/VexulDemo.exe"
rc=0
vexul_play_demo "$out" "$limit" "$build/win/tools/demo/make_demo.exe" "$shots" || rc=$?
if [ -n "$shots" ]; then
  echo "== screenshots: $shots ($(ls "$shots" | wc -l) files)"
fi
exit "$rc"
