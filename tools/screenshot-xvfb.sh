#!/usr/bin/env bash
# screenshot-xvfb.sh KURVON [DATA_FILE] [OUT_PNG]: runs Kurvon in a private Xvfb on a data file
# (default examples/example.kvd), ticks two channels, points into the chart and saves a PNG of
# the main window (default docs/screenshot.png). Needs Xvfb, xdotool and ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kurvon=$(realpath "${1:?usage: screenshot-xvfb.sh KURVON [DATA_FILE] [OUT_PNG]}")
data=$(realpath "${2:-$root/examples/example.kvd}")
out=${3:-$root/docs/screenshot.png}
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "screenshot-xvfb: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses.
display=99
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

QT_QPA_PLATFORM=xcb "$kurvon" "$data" >"$work/kurvon.log" 2>&1 &
app_pid=$!
window=""
for _ in $(seq 150); do
  kill -0 "$app_pid" 2>/dev/null || { echo "screenshot-xvfb: kurvon exited" >&2; exit 1; }
  window=$(xdotool search --onlyvisible --name '^Dornvale' 2>/dev/null | head -n1) || true
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "screenshot-xvfb: no window" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")" # WIDTH, HEIGHT
list_x=$((WIDTH - 300))

# Row centres of the channel list, found by the colour swatches of column 1.
swatch_rows() {
  import -window "$window" "$work/shot.png"
  convert "$work/shot.png" -crop "1x${HEIGHT}+$((list_x + 45))+0" +repage txt:- |
    awk -F'[(),: ]+' 'BEGIN { start = -1 }
      function close_run(y) { if (start >= 0 && y - start >= 5) print int((start + y - 1) / 2); start = -1 }
      NR > 1 { y = $2; colour = $3 "," $4 "," $5
        if (colour != last) { close_run(y); if (!($3 == $4 && $4 == $5)) start = y }
        last = colour }
      END { close_run(y + 1) }'
}

rows=""
for _ in $(seq 100); do
  rows=$(swatch_rows)
  [ -n "$rows" ] && break
  sleep 0.2
done
[ -n "$rows" ] || { echo "screenshot-xvfb: the data file did not load" >&2; exit 1; }

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
