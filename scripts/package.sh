#!/usr/bin/env bash
# package.sh [BUILD_DIR]: builds Kurvon in Release (in build/package unless another Release
# tree is named, so the tests' own build can be reused) and writes the Debian package
# build/package/kurvon_VERSION_ARCH.deb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-build/package}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$dir"
out="$root/build/package"
mkdir -p "$out"
rm -f "$out"/kurvon_*.deb
log="$out/cpack.log"
cpack -G DEB --config "$root/$dir/CPackConfig.cmake" -B "$out" >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
ls "$out"/kurvon_*.deb
