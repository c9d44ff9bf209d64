#!/usr/bin/env bash
# Runs one of the build's own Windows tools under the project's Wine prefix of that build folder (made first
# when it is missing), without a display. Used by the build to make the application folder's content.
#   run_wine_tool.sh <build folder> <program.exe> [arguments...]
set -euo pipefail
build=$(realpath "$1")
shift
source "$(dirname "$0")/env.sh"
unset DISPLAY
vexul_wine_prefix "$build"
status=0
wine "$@" || status=$?
# The prefix's server ends with the tool, so that the tests start it afresh with their display.
wineserver -w
exit $status
