#!/usr/bin/env bash
# Takes docs/checker.png: the checker window after a check of its sample
# article against a stand-in search host on 127.0.0.1, under a virtual X
# display. Builds the tool into build/ (or BUILD_DIR) first.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" >/dev/null
cmake --build "$build_dir" -j2 --target checker_screenshot
timeout 180 xvfb-run -a -s "-screen 0 1024x768x24" \
  "$build_dir/bin/checker_screenshot" docs/checker.png
echo "wrote docs/checker.png"
