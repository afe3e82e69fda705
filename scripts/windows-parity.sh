#!/usr/bin/env bash
# windows-parity.sh LINUX_BUILD KURVON_COM: the Linux build and the Windows build (under Wine,
# with the environment scripts/windows.sh sets up) on the same files, all under Chinese file and
# folder names: --info and --export give the same bytes; --render gives the same pixels outside
# the text. Text uses each system's fonts, so these strips are painted over before comparing:
# the value labels left and right of the plot frame, the record labels below it, the readout
# beside the cursor, and the channel list (widgets drawn in each platform's own style).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
linux=$1/src/app/kurvon
kvdgen=$1/tools/kvdgen
windows=$2
work=$root/build/windows/parity
rm -rf "$work"
dir="$work/电池 数据"
mkdir -p "$dir" "$work/out"

cp "$root/examples/example.kvd" "$dir/电池测试 2024.kvd"
"$kvdgen" --records 100000 --seed 7 --out "$dir/十万条记录.kvd"
iconv -f GBK -t UTF-8 "$root/examples/example.kvd" >"$dir/通道名 UTF-8.kvd"
shared=$root/../shared/data
if [ -f "$shared/xTESLADIAG_000038.kvd" ]; then
  cp "$shared/xTESLADIAG_000038.kvd" "$dir/制表符导出.kvd"
else
  echo "(no ../shared/data: the rig's tab-separated export is left out)"
fi

# Masks in a 1000x600 picture: chart area 700 wide, plot frame (60,10)-(640,580).
mask() {
  convert "$1" -fill black -draw 'rectangle 0,0 59,599' -draw 'rectangle 641,0 999,599' \
    -draw 'rectangle 0,581 699,599' -draw "rectangle $2" "$3"
}

fail=0
check() { # what, then the command that tells
  local what=$1
  shift
  if "$@"; then
    echo "  same: $what"
  else
    echo "  DIFFERENT: $what"
    fail=1
  fi
}

wine_path() { winepath -w "$1" 2>/dev/null; }

for file in "$dir"/*.kvd; do
  name=$(basename "$file" .kvd)
  echo "$name.kvd"
  "$linux" --info "$file" >"$work/out/$name.linux.info"
  wine "$windows" --info "$(wine_path "$file")" >"$work/out/$name.windows.info"
  check "--info" cmp -s "$work/out/$name.linux.info" "$work/out/$name.windows.info"

  "$linux" --export - "$file" >"$work/out/$name.linux.stdout.csv"
  wine "$windows" --export - "$(wine_path "$file")" >"$work/out/$name.windows.stdout.csv"
  check "--export to standard output" cmp -s "$work/out/$name.linux.stdout.csv" "$work/out/$name.windows.stdout.csv"

  "$linux" --export "$work/out/$name 导出.linux.csv" "$file" --channels 1,0
  wine "$windows" --export "$(wine_path "$work/out/$name 导出.windows.csv")" \
    "$(wine_path "$file")" --channels 1,0
  check "--export to a file" cmp -s "$work/out/$name 导出.linux.csv" "$work/out/$name 导出.windows.csv"

  args=(--channels 1,2 --cursor 400,300 --seed 11)
  "$linux" --render "$work/out/$name 图.linux.png" "$file" "${args[@]}"
  wine "$windows" --render "$(wine_path "$work/out/$name 图.windows.png")" "$(wine_path "$file")" \
    "${args[@]}"
  readout='404,260 699,300'
  for os in linux windows; do
    mask "$work/out/$name 图.$os.png" "$readout" "$work/out/$name.$os.masked.png"
  done
  pixels=$(compare -metric AE "$work/out/$name.linux.masked.png" \
    "$work/out/$name.windows.masked.png" "$work/out/$name.diff.png" 2>&1 || true)
  check "--render outside the text ($pixels pixels differ)" test "$pixels" = 0
done

if [ "$fail" -ne 0 ]; then
  echo "Windows parity: differences (outputs in $work/out)" >&2
  exit 1
fi
echo "Windows parity: all the same"
