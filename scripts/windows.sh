#!/usr/bin/env bash
# windows.sh [all|qt|build|test|package|find-qt]: Kurvon for 64-bit Windows, cross-built here
# with MinGW-w64 and tested under Wine. Safe to run again.
#   qt       the Windows Qt: ../shared/toolchains/qt-6.4.2-mingw-w64 when it is there, else
#            ~/.cache/kurvon/qt-6.4.2-mingw, built from Debian's qt6-base source the first time
#   build    build/windows/kurvon: kurvon.exe, kurvon.com and the data, platform and chart tests
#   test     those tests, the parity checks against the Linux build and the window (load, tick
#            a channel, Save picture) under Wine
#   package  build/windows/package: the NSIS installer and the zip, then a silent install, a
#            run of the installed program and an uninstall under Wine
#   all      all of the above (the default)
#   find-qt  prints the Windows Qt's folder, or fails when none is at hand (nothing is built)
# KURVON_QT_FROM_SOURCE=1 passes over the prebuilt Qt in ../shared and uses (or builds) the cache.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/windows
shared_qt=$root/../shared/toolchains/qt-6.4.2-mingw-w64
cached_qt=${XDG_CACHE_HOME:-$HOME/.cache}/kurvon/qt-6.4.2-mingw
toolchain=$root/cmake/mingw-w64.cmake
step=${1:-all}

find_qt() {
  local dir
  local dirs=("$shared_qt" "$cached_qt")
  [ -n "${KURVON_QT_FROM_SOURCE:-}" ] && dirs=("$cached_qt")
  for dir in "${dirs[@]}"; do
    if [ -f "$dir/lib/cmake/Qt6/Qt6Config.cmake" ]; then
      (cd "$dir" && pwd)
      return 0
    fi
  done
  return 1
}

if [ "$step" = find-qt ]; then
  find_qt
  exit
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi

install_packages() {
  local p missing=()
  for p in "$@"; do
    if [[ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != *'install ok installed'* ]]; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq \
      --no-install-recommends "${missing[@]}"
  fi
}

"$root/scripts/setup.sh"
install_packages g++-mingw-w64-x86-64-posix wine wine64 nsis qt6-base-dev-tools \
  qt6-translations-l10n googletest xvfb xauth xdotool x11-utils xclip imagemagick \
  fonts-wqy-microhei fonts-dejavu-core unzip

# ---- The Windows Qt from Debian's source, when no prebuilt one is at hand ----

# A deb-src entry for each deb entry the machine already uses: the same mirror, only the type
# changed.
add_deb_src() {
  local list=/etc/apt/sources.list.d/kurvon-deb-src.sources
  if grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ ||
    grep -qs '^deb-src ' /etc/apt/sources.list; then
    return 0
  fi
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: *deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      "${as_root[@]}" tee "$list" >/dev/null
  else
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      "${as_root[@]}" tee /etc/apt/sources.list.d/kurvon-deb-src.list >/dev/null
  fi
  "${as_root[@]}" apt-get update -qq
}

build_qt() {
  install_packages dpkg-dev xz-utils cmake ninja-build
  add_deb_src
  local work=$cached_qt.work
  mkdir -p "$work"
  (cd "$work" && apt-get source --download-only qt6-base)
  local tarball
  tarball=$(ls "$work"/qt6-base_6.4.2*.orig.tar.xz)
  if [ ! -d "$work/src" ]; then
    mkdir -p "$work/src.tmp"
    tar -xf "$tarball" -C "$work/src.tmp" --strip-components=1
    # Trap: with OpenGL off, dynamicgl stays on and the windows plugin does not compile.
    sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
      "$work/src.tmp/src/plugins/platforms/windows/qwindowswindow.cpp"
    mv "$work/src.tmp" "$work/src"
  fi
  # Trap: Debian's +dfsg source has no wintab, so tablet events must be off.
  cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$cached_qt.tmp" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF -DFEATURE_opengl=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  cmake --build "$work/build" --parallel "$(nproc)"
  rm -rf "$cached_qt.tmp"
  cmake --install "$work/build" >/dev/null
  # Only a whole install becomes the cache.
  mv "$cached_qt.tmp" "$cached_qt"
  rm -rf "$work"
}

qt=$(find_qt || true)
if [ -z "$qt" ]; then
  echo "== Windows Qt: none prebuilt, building it into $cached_qt (about an hour on 2 cores)"
  start=$(date +%s)
  build_qt
  echo "== Windows Qt built in $(($(date +%s) - start)) s, $(du -sh "$cached_qt" | cut -f1)"
  qt=$(find_qt)
fi
[ "$step" = qt ] && exit 0

# ---- Wine: a private prefix under build/windows, Qt and the MinGW runtime on its path ----
# No Mono or Gecko prompts, and no menu entries or icons written outside the prefix.
export WINEPREFIX=$out/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPATH="Z:$qt/bin;Z:/usr/lib/gcc/x86_64-w64-mingw32/12-posix;Z:/usr/x86_64-w64-mingw32/lib"
export QT_PLUGIN_PATH=Z:$qt/plugins
mkdir -p "$out"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
# A PC keeps its fonts in C:\windows\Fonts, where the offscreen pictures look for them; Wine's
# prefix has none there, so it gets Debian's in their place.
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp -u /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc \
  "$WINEPREFIX/drive_c/windows/Fonts/"

build() {
  if [ ! -f "$out/gtest/lib/libgtest.a" ]; then
    cmake -S /usr/src/googletest -B "$out/gtest-build" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$out/gtest" >/dev/null
    cmake --build "$out/gtest-build" --parallel "$(nproc)" >/dev/null
    cmake --install "$out/gtest-build" >/dev/null
  fi
  cmake -S "$root" -B "$out/kurvon" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release "-DCMAKE_PREFIX_PATH=$qt;$out/gtest" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine >/dev/null
  cmake --build "$out/kurvon" --parallel "$(nproc)" --target kurvon kurvon_console \
    kurvon_platform_tests kurvon_data_tests kurvon_chart_tests
}

run_tests() {
  echo "== Windows unit tests under Wine"
  QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR='C:\windows\Fonts' ctest --test-dir "$out/kurvon" --output-on-failure \
    -L 'platform|data|chart'
  echo "== Windows parity with the Linux build"
  KURVON_TARGETS="kurvon kvdgen" "$root/scripts/build.sh" build/test
  "$root/scripts/windows-parity.sh" "$root/build/test" "$out/kurvon/src/app/kurvon.com"
  echo "== Windows window under Wine on Xvfb"
  "$root/scripts/windows-gui-check.sh" "$out/kurvon/src/app/kurvon.exe"
}

package() {
  echo "== Windows packages"
  rm -rf "$out/package"
  (cd "$out/kurvon" && cpack -B "$out/package" >/dev/null)
  rm -rf "$out/package/_CPack_Packages"
  ls -l "$out/package"
  "$root/scripts/windows-install-check.sh" "$out/package"
}

case "$step" in
  build) build ;;
  test) run_tests ;;
  package) package ;;
  all) build && run_tests && package ;;
  *) echo "windows.sh: unknown step $step" >&2; exit 2 ;;
esac
