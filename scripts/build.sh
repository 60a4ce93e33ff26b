#!/usr/bin/env bash
# Configures and builds Trailbook into build/ (or $BUILD_DIR). Options given (-DNAME=VALUE) are
# set on every call; without them an existing build folder is only built.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
if [ $# -gt 0 ] || [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja "$@"
fi
cmake --build "$build_dir"
