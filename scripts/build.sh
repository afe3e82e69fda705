#!/usr/bin/env bash
# build.sh DIR [SANITIZE] [extra cmake args...]: configures and builds one tree
# (only the targets named in $KURVON_TARGETS when it is set).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
sanitize=${1:-}; [ $# -gt 0 ] && shift
case "$sanitize" in
  "") type=Release ;;
  *) type=RelWithDebInfo ;;
esac
cmake -S "$root" -B "$root/$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" -DKURVON_SANITIZE="$sanitize" "$@" >/dev/null
targets=()
for t in ${KURVON_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$root/$dir" --parallel "$(nproc)" "${targets[@]}"
