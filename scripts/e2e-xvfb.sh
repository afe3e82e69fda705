#!/usr/bin/env bash
# e2e-xvfb.sh BUILD_DIR: starts BUILD_DIR's kurvon in a private Xvfb on a generated data file,
# waits for the load, ticks a channel by clicking its check box and checks from a screenshot
# that a curve appears inside the plot frame. Exits nonzero on failure; Xvfb always goes.
# Needs Xvfb, xdotool and ImageMagick.
set -euo pipefail
build=$(realpath "${1:?usage: e2e-xvfb.sh BUILD_DIR}")
kurvon="$build/src/app/kurvon"
[ -x "$kurvon" ] || { echo "e2e: no $kurvon" >&2; exit 1; }
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "e2e: $tool is missing" >&2; exit 1; }
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
fail() {
  echo "e2e: $*" >&2
  [ -f "$work/kurvon.log" ] && sed 's/^/e2e: kurvon: /' "$work/kurvon.log" >&2
  [ -f "$work/xvfb.log" ] && sed "s/^/e2e: Xvfb: /" "$work/xvfb.log" >&2
  exit 1
}

# Three channels over 2000 records, CR LF line ends.
awk 'BEGIN { printf "e2e test rig\r\nt u i\r\n"
  for (r = 0; r < 2000; r++) printf "%d %.4f %.4f\r\n", r, 3.6 + 0.5 * sin(r / 50), 2 * cos(r / 80) }' \
  >"$work/e2e.kvd"

display=99
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"

QT_QPA_PLATFORM=xcb "$kurvon" "$work/e2e.kvd" >"$work/kurvon.log" 2>&1 &
app_pid=$!
window=""
for _ in $(seq 150); do
  kill -0 "$app_pid" 2>/dev/null || fail "kurvon exited before showing its window"
  window=$(xdotool search --onlyvisible --name '^Dornvale' 2>/dev/null | head -n1) || true
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || fail "the main window did not appear"
eval "$(xdotool getwindowgeometry --shell "$window")" # WIDTH, HEIGHT
list_x=$((WIDTH - 300))

shoot() { import -window "$window" "$work/shot.png"; }

# Row centres of the channel list, from the colour swatches of column 1 (one run per colour).
swatch_rows() {
  convert "$work/shot.png" -crop "1x${HEIGHT}+$((list_x + 45))+0" +repage txt:- |
    awk -F'[(),: ]+' 'BEGIN { start = -1 }
      function close_run(y) { if (start >= 0 && y - start >= 5) print int((start + y - 1) / 2); start = -1 }
      NR > 1 { y = $2; colour = $3 "," $4 "," $5
        if (colour != last) { close_run(y); if (!($3 == $4 && $4 == $5)) start = y }
        last = colour }
      END { close_run(y + 1) }'
}

# Pixels of the screenshot region WxH+X+Y that are not grey (black, white and greys excluded).
coloured_pixels() {
  convert "$work/shot.png" -crop "$1" +repage txt:- |
    awk -F'[(),: ]+' 'NR > 1 && !($3 == $4 && $4 == $5) { n++ } END { print n + 0 }'
}

rows=""
for _ in $(seq 150); do
  shoot
  rows=$(swatch_rows)
  [ "$(echo "$rows" | grep -c .)" -ge 3 ] && break
  sleep 0.2
done
[ "$(echo "$rows" | grep -c .)" -ge 3 ] || fail "the channel list never showed three rows"

# Inside the plot frame: x 61 .. w - 61, from the first row's height down to above the record labels.
top=$(echo "$rows" | head -n1)
frame="$((list_x - 140))x$((HEIGHT - 80 - top))+70+$top"
before=$(coloured_pixels "$frame")
[ "$before" -eq 0 ] || fail "coloured pixels in the chart before any channel was ticked ($before)"

y=$(echo "$rows" | sed -n 2p)
xdotool mousemove --window "$window" $((list_x + 10)) "$y"
sleep 0.3
xdotool click 1

after=0
for _ in $(seq 20); do
  sleep 0.5
  shoot
  after=$(coloured_pixels "$frame")
  [ "$after" -gt 100 ] && break
done
[ "$after" -gt 100 ] || fail "no curve in the chart after ticking a channel ($after coloured pixels)"
kill -0 "$app_pid" 2>/dev/null || fail "kurvon exited"
echo "e2e: curve drawn ($after coloured pixels inside the frame)"
