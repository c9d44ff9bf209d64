# Shared by tools/test.sh, tools/demo.sh and bench runs: packages, display and the private Wine prefix.

# Every package the scripts need, in one place. Debian's wine64 holds only the loader: the wine, wineboot and
# wineserver commands come with the package wine. fonts-wine has Wine's own faces (Tahoma, Courier, Marlett, ...);
# fonts-liberation the metric-compatible stand-ins for Arial, Times New Roman and Courier New. fp-utils-3.2.2
# brings chmcmd, which compiles the editor's help. clang with libclang-rt-14-dev (libFuzzer and the sanitizer
# runtimes) builds the fuzz targets. imagemagick and python3-pil make the animated GIFs of the player's tests and
# their reference frames.
vexul_packages=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix wine wine64 fonts-wine fonts-liberation
                xvfb xauth x11-utils googletest python3 python3-pil imagemagick fp-utils-3.2.2 clang
                libclang-rt-14-dev)

vexul_install_packages() {
  local missing=()
  for p in "${vexul_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "== installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" = 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

# Starts Xvfb on a free display unless one is already given in VEXUL_DISPLAY.
vexul_start_display() {
  if [ -n "${VEXUL_DISPLAY:-}" ]; then
    export DISPLAY=$VEXUL_DISPLAY
    return
  fi
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  vexul_xvfb_pid=$!
  local display
  read -r display <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$display"
  echo "== Xvfb on $DISPLAY (pid $vexul_xvfb_pid)"
}

vexul_stop_display() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; fi
  if [ -n "${vexul_xvfb_pid:-}" ]; then
    kill "$vexul_xvfb_pid" 2>/dev/null || true
    wait "$vexul_xvfb_pid" 2>/dev/null || true
  fi
}

# A private prefix under the build folder: no Mono or Gecko prompts, no crash dialogs,
# font smoothing off and 96 dpi so that pixel tests are exact.
vexul_wine_prefix() {
  export WINEPREFIX
  WINEPREFIX=$(realpath "$1")/wineprefix
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  if [ ! -f "$WINEPREFIX/.vexul-ready-3" ]; then
    echo "== making Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v FontSmoothing /t REG_SZ /d 0 /f >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
    wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # No window manager runs under Xvfb: unmanaged windows spare Wine its wait for one on every show and hide.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    vexul_prefix_fonts
    wineserver -w
    touch "$WINEPREFIX/.vexul-ready-3"
  fi
}

# The same faces on every machine: Debian's Wine does not load its own fonts from its data folder, so they go
# into the prefix's Fonts folder (then "Tahoma" and "MS Shell Dlg" resolve to Wine's Tahoma), and the common
# Windows faces are replaced by the Liberation faces with the same metrics.
vexul_prefix_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/*.ttf "$fonts/"
  cp /usr/share/fonts/truetype/liberation/Liberation{Sans,Serif,Mono}-*.ttf "$fonts/"
  local face
  for face in "Arial:Liberation Sans" "Times New Roman:Liberation Serif" "Courier New:Liberation Mono"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%:*}" /t REG_SZ /d "${face#*:}" /f >/dev/null 2>&1
  done
}

# What the scripts that show a program do first: headless=1 when there is no display (then imagemagick, whose
# `import` takes the screenshots, is among the packages), what is missing installed, the targets built in the
# Windows build folder, and Xvfb started when headless.
#   vexul_demo_prepare <build folder> <target>...
vexul_demo_prepare() {
  local build=$1
  shift
  headless=0
  [ -n "${DISPLAY:-}" ] || headless=1
  [ "$headless" = 1 ] && vexul_packages+=(imagemagick)
  vexul_install_packages
  echo "== building $*"
  cmake -S . -B "$build/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build/win" -j "$(nproc)" --target "$@"
  if [ "$headless" = 1 ]; then
    vexul_start_display
  fi
}

# A screenshot of the player's window, when one is open (both demo parts' titles begin with "Vexul Demo").
# It is cut from the screen rather than taken from the window: `import -window` never returns when the
# window has gone by the time it asks for it, as a player's window does when its show ends.
vexul_shoot_player() {
  local id geometry
  id=$(xwininfo -display "$DISPLAY" -root -tree 2>/dev/null | grep -m1 '"Vexul Demo' | awk '{print $1}') || true
  [ -n "$id" ] || return 0
  geometry=$(xwininfo -display "$DISPLAY" -id "$id" 2>/dev/null |
    awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2}
         END {if (w > 0 && h > 0) printf "%dx%d+%d+%d", w, h, x, y}') || true
  [ -n "$geometry" ] || return 0
  timeout 20 import -display "$DISPLAY" -window root -crop "$geometry" +repage "$1" 2>/dev/null || true
}

# A screenshot of the whole screen, or nothing when the screen cannot be read.
vexul_shoot_screen() {
  timeout 20 import -display "$DISPLAY" -window root "$1" 2>/dev/null || true
}

# Opens the editor of the application folder on the project folder's pack. With a screenshot folder (headless
# runs) it stands in for the user: closes the tip of the day, waits for the thumbnails, opens the first slide
# in the slide editor, saves a screenshot at each step, and closes the editor; else it returns when the user
# has closed the editor.
#   vexul_show_editor <application folder> <project folder> <make_demo.exe> [<screenshot folder>]
vexul_show_editor() {
  local app=$1 project=$2 make_demo=$3 shots=${4:-}
  local pack editor_pid
  pack=$(winepath -w "$project/VEXUL.VXL")
  # The editor's title is the project's whole path.
  local frame="$pack - VexulCreator"
  (cd "$app" && wine VexulCreator.exe "$pack") &
  editor_pid=$!
  if [ -z "$shots" ]; then
    wait "$editor_pid" || true
    return 0
  fi
  rm -rf "$shots"
  mkdir -p "$shots"
  if wine "$make_demo" --wait "$frame" 60; then
    # The tip of the day shows at the first start.
    wine "$make_demo" --wait "Tip of the Day" 10 && wine "$make_demo" --close "Tip of the Day" || true
    sleep 3   # the thumbnails are drawn meanwhile
    vexul_shoot_screen "$shots/editor-1-thumbnails.png"
    # The first thumbnail's cell lies at the top left of the view.
    wine "$make_demo" --double-click "$frame" 80 80 || true
    if wine "$make_demo" --wait "Slide Properties" 20; then
      sleep 1
      vexul_shoot_screen "$shots/editor-2-slide-editor.png"
      wine "$make_demo" --close "Slide Properties" || true
    fi
    sleep 1
    wine "$make_demo" --close "$frame" || true
  fi
  # An editor that does not end by itself is stopped: the demo plays on.
  local waited=0
  while kill -0 "$editor_pid" 2>/dev/null && [ "$waited" -lt 30 ]; do
    sleep 1
    waited=$((waited + 1))
  done
  if kill -0 "$editor_pid" 2>/dev/null; then
    echo "== the editor did not close: stopping it"
    wineserver -k || true
  fi
  wait "$editor_pid" 2>/dev/null || true
  echo "== editor screenshots: $shots ($(ls "$shots" | wc -l) files)"
}

# Plays the demo made by make_demo in the folder: VexulDemo.exe (part 1), which starts part 2 at its end.
# With a screenshot folder (headless runs) it also stands in for the user of part 2, pressing Space every
# 2.5 s, and saves a screenshot of the player window every VEXUL_DEMO_SHOT_EVERY seconds (3). Returns when
# the prefix's last program has ended, or stops the players after the limit (seconds) and returns 1.
#   vexul_play_demo <demo folder> <limit> <make_demo.exe> [<screenshot folder>]
vexul_play_demo() {
  local out=$1 limit=$2 make_demo=$3 shots=${4:-}
  local every=${VEXUL_DEMO_SHOT_EVERY:-3} advance_pid="" wait_pid rc=0
  if [ -n "$shots" ]; then
    rm -rf "$shots"
    mkdir -p "$shots"
    # The player takes the key only while it waits for the user.
    wine "$make_demo" --advance "Vexul Demo - Part 2" 2500 "$limit" &
    advance_pid=$!
  fi
  (cd "$out" && wine VexulDemo.exe) &
  # Part 2 is started by part 1 and is not our child: the show is over when the prefix's last program ends.
  sleep 1
  wineserver -w &
  wait_pid=$!
  local start=$SECONDS n=0 elapsed
  while kill -0 "$wait_pid" 2>/dev/null; do
    elapsed=$((SECONDS - start))
    if [ "$elapsed" -ge "$limit" ]; then
      echo "== time limit of $limit s reached: stopping the player"
      wineserver -k || true
      rc=1
      break
    fi
    if [ -n "$shots" ] && [ "$elapsed" -ge $((n * every)) ]; then
      n=$((n + 1))
      vexul_shoot_player "$(printf '%s/shot-%03d.png' "$shots" "$elapsed")"
    fi
    sleep 0.5
  done
  wait "$wait_pid" 2>/dev/null || true
  if [ -n "$advance_pid" ]; then kill "$advance_pid" 2>/dev/null || true; fi
  echo "== the demo has ended after $((SECONDS - start)) s"
  return "$rc"
}
