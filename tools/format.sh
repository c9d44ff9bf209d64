#!/usr/bin/env bash
# Formats every C++ source of the tree with the project's .clang-format (or the files given).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -gt 0 ]; then
  clang-format -i "$@"
else
  git ls-files '*.cpp' '*.h' | xargs clang-format -i
fi
