#!/usr/bin/env bash
# Installs what is missing, builds Trailbook with its tests and runs every test: first the whole
# suite under the sanitizers (build-asan/), then a bounded run of each fuzz target (build-fuzz/),
# and last the ordinary build (build/), whose summary ends the output.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test

# AddressSanitizer and UndefinedBehaviorSanitizer. The browser tests drive an uninstrumented
# Chromium over pages the ordinary build makes just as well, so they run only there.
[ -f build-asan/build.ninja ] || cmake --preset asan
cmake --build --preset asan
ctest --preset asan -j2

# The fuzz targets need clang; only they are built there, and only their bounded runs are run.
[ -f build-fuzz/build.ninja ] || cmake --preset fuzz
cmake --build --preset fuzz
ctest --preset fuzz -j2

scripts/build.sh -DTRAILBOOK_TESTS=ON
ctest --test-dir build --output-on-failure -j2
