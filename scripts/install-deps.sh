#!/usr/bin/env bash
# Installs what Trailbook needs on Debian 12, and nothing when all of it is there.
#   scripts/install-deps.sh run    what building and starting the program needs
#   scripts/install-deps.sh test   that, plus what the tests need (sanitizers, fuzzer, Chromium)
set -euo pipefail
profile=${1:-test}
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev librsvg2-bin libheif-dev zlib1g-dev
          pkg-config)
if [ "$profile" = test ]; then
  packages+=(googletest libgtest-dev libbenchmark-dev clang clang-format libclang-rt-14-dev chromium xvfb xauth
             appstream desktop-file-utils dpkg-dev file imagemagick xdotool
             libimage-exiftool-perl libheif-examples)
fi
command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq -o DPkg::Lock::Timeout=600
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    -o DPkg::Lock::Timeout=600 "${missing[@]}"
fi

# Leaflet and supercluster for the album page, esbuild that bundles the page's script, and
# ESLint and playwright-core for its tests come from npm.
# node_modules/.lock-installed is the package-lock.json that the last successful `npm ci` used.
if [ -f package-lock.json ]; then
  if ! cmp -s package-lock.json node_modules/.lock-installed; then
    npm ci --no-audit --no-fund --loglevel=error
    cp package-lock.json node_modules/.lock-installed
  fi
fi
