#!/usr/bin/env bash
# Configures and builds into build/ (or the folder in BUILD_DIR). Extra
# arguments go to the CMake configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
werror=OFF
if [ -n "${CI:-}" ]; then
  werror=ON
fi
cmake -S . -B "$build_dir" -DWERROR="$werror" "$@" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
