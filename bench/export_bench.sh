#!/usr/bin/env bash
# Times `kurvon --export` of the 2 000 000 x 12 file (generated once by bench/compare.sh's
# cache, or here with kvdgen): median wall time of 3 runs, CSV megabytes per second (of the
# export alone: the --info load time subtracted), and peak memory against the value table.
#   bench/export_bench.sh [BUILD_DIR]      (default build/release)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
cache=${KURVON_BENCH_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kurvon-bench}
file=$cache/r2000000-c12-s1.kvd
if [ ! -f "$file" ]; then
  mkdir -p "$cache"
  "$build/tools/kvdgen" --records 2000000 --extra-channels 6 --seed 1 --out "$file.part"
  mv "$file.part" "$file"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat "$file" >/dev/null

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
run() { # prints "wall rss_kb"
  /usr/bin/time -f '%e %M' -o "$work/t" "$@" >/dev/null
  cat "$work/t"
}
for _ in 1 2 3; do
  run "$build/src/app/kurvon" --export "$work/out.csv" "$file" >>"$work/export"
  run "$build/src/app/kurvon" --info "$file" >>"$work/info"
done
size=$(stat -c %s "$work/out.csv")
export_wall=$(cut -d' ' -f1 "$work/export" | median)
info_wall=$(cut -d' ' -f1 "$work/info" | median)
rss=$(cut -d' ' -f2 "$work/export" | median)
table=$((2000000 * 12 * 4))
awk -v s="$size" -v e="$export_wall" -v i="$info_wall" -v r="$rss" -v t="$table" 'BEGIN {
  printf "CSV %.1f MB; export %.2f s, load alone (--info) %.2f s\n", s / 1e6, e, i
  w = e - i; if (w <= 0) w = 0.001
  printf "CSV written: %.0f MB/s of the export alone, %.0f MB/s overall\n", s / 1e6 / w, s / 1e6 / e
  printf "peak memory %.0f MB; value table %.0f MB; table + 64 MB = %.0f MB\n", r / 1024, t / 1048576, t / 1048576 + 64
}'
