#!/usr/bin/env bash
# Configures (once) and builds Trailbook into build/ (or $BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
[ -f "$build_dir/build.ninja" ] || cmake -S . -B "$build_dir" -G Ninja "$@"
cmake --build "$build_dir"
