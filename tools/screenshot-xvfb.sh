#!/usr/bin/env bash
# screenshot-xvfb.sh KURVON [DATA_FILE] [OUT_PNG]: runs Kurvon in a private Xvfb on a data file
# (default examples/example.kvd), ticks two channels, points into the chart and saves a PNG of
# the main window (default docs/screenshot.png). Needs Xvfb, xdotool and ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kurvon=$(realpath "${1:?usage: screenshot-xvfb.sh KURVON [DATA_FILE] [OUT_PNG]}")
data=$(realpath "${2:-$root/examples/example.kvd}")
out=${3:-$root/docs/screenshot.png}
tag=screenshot-xvfb
. "$root/scripts/xvfb-session.sh"

start_xvfb
start_kurvon "$kurvon" "$data"

rows=""
for _ in $(seq 100); do
  shoot
  rows=$(swatch_rows)
  [ -n "$rows" ] && break
  sleep 0.2
done
[ -n "$rows" ] || fail "the data file did not load"

# Tick two channels in separate polls (the second one becomes the primary curve).
for row in 3 2; do
  y=$(echo "$rows" | sed -n "${row}p")
  [ -n "$y" ] || continue
  xdotool mousemove --window "$window" $((list_x + 10)) "$y"
  sleep 0.3
  xdotool click 1
  sleep 0.8
done
xdotool mousemove --window "$window" $((list_x / 2)) $((HEIGHT / 2))
sleep 0.8

mkdir -p "$(dirname "$out")"
import -window "$window" "$out"
echo "screenshot: $out"
