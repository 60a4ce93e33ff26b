#!/usr/bin/env bash
# Installs what is missing, builds Trailbook and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
scripts/build.sh
exec build/bin/trailbook
