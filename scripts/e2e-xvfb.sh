#!/usr/bin/env bash
# e2e-xvfb.sh BUILD_DIR: starts BUILD_DIR's kurvon in a private Xvfb on a generated data file,
# waits for the load, ticks a channel by clicking its check box and checks from a screenshot
# that a curve appears inside the plot frame. Exits nonzero on failure; Xvfb always goes.
# Needs Xvfb, xdotool and ImageMagick.
set -euo pipefail
build=$(realpath "${1:?usage: e2e-xvfb.sh BUILD_DIR}")
kurvon="$build/src/app/kurvon"
[ -x "$kurvon" ] || { echo "e2e: no $kurvon" >&2; exit 1; }
tag=e2e
. "$(dirname "$0")/xvfb-session.sh"

# Three channels over 2000 records, CR LF line ends.
awk 'BEGIN { printf "e2e test rig\r\nt u i\r\n"
  for (r = 0; r < 2000; r++) printf "%d %.4f %.4f\r\n", r, 3.6 + 0.5 * sin(r / 50), 2 * cos(r / 80) }' \
  >"$work/e2e.kvd"

start_xvfb
start_kurvon "$kurvon" "$work/e2e.kvd"

# Inside the plot frame: x 61 .. w - 61, from the first row's height down to above the record labels.
await_rows 3 "the channel list never showed three rows"
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
