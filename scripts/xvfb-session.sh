# Sourced by the scripts that drive Kurvon in a private Xvfb. The caller sets `tag` (the prefix
# of its messages). Provides: work (a temporary folder), start_xvfb, start_kurvon KURVON FILE
# (sets app_pid, window, WIDTH, HEIGHT, list_x), shoot (screenshot to $work/shot.png),
# swatch_rows (row centres of the channel list), await_rows N MESSAGE (sets rows and frame),
# coloured_pixels REGION and fail.
# Xvfb, Kurvon and the folder always go on exit.

for tool in Xvfb xdotool xdpyinfo import convert; do
  command -v "$tool" >/dev/null || { echo "$tag: $tool is missing" >&2; exit 1; }
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
  echo "$tag: $*" >&2
  [ -f "$work/xvfb.log" ] && sed "s/^/$tag: Xvfb: /" "$work/xvfb.log" >&2
  [ -f "$work/kurvon.log" ] && sed "s/^/$tag: kurvon: /" "$work/kurvon.log" >&2
  exit 1
}

start_xvfb() {
  # -displayfd: Xvfb picks a free display itself (lock files in a private /tmp do not show the
  # servers of other jobs) and writes its number once it accepts connections.
  # -noreset: otherwise the server resets when the last client (xdpyinfo) leaves, and a client
  # that connects during the reset is refused.
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$work/display")"
  xdpyinfo >/dev/null 2>&1 || fail "Xvfb does not answer on $DISPLAY"
}

start_kurvon() {
  local attempt
  for attempt in 1 2 3; do
    QT_QPA_PLATFORM=xcb "$1" "$2" >"$work/kurvon.log" 2>&1 &
    app_pid=$!
    window=""
    for _ in $(seq "${window_wait:-150}"); do # steps of 0.2 s
      kill -0 "$app_pid" 2>/dev/null || break
      window=$(xdotool search --onlyvisible --name '^Dornvale' 2>/dev/null | awk 'NR == 1') || true
      [ -n "$window" ] && break
      sleep 0.2
    done
    [ -n "$window" ] && break
    kill -0 "$app_pid" 2>/dev/null && fail "the main window did not appear"
    wait "$app_pid" 2>/dev/null || true
    app_pid=""
    # A refused connection is the display's fault, not Kurvon's: try again while Xvfb lives.
    grep -q "could not connect to display" "$work/kurvon.log" && kill -0 "$xvfb_pid" 2>/dev/null ||
      fail "kurvon exited before showing its window"
    echo "$tag: the display refused Kurvon (attempt $attempt), retrying" >&2
    sleep 1
  done
  [ -n "$window" ] || fail "kurvon could not connect to $DISPLAY"
  eval "$(xdotool getwindowgeometry --shell "$window")" # WIDTH, HEIGHT
  list_x=$((WIDTH - 300))
}

shoot() { import -window "$window" "$work/shot.png"; }

# Row centres of the channel list in the last screenshot, from the colour swatches of column 1
# (one run per colour).
swatch_rows() {
  convert "$work/shot.png" -crop "1x${HEIGHT}+$((list_x + 45))+0" +repage txt:- |
    awk -F'[(),: ]+' 'BEGIN { start = -1 }
      function close_run(y) { if (start >= 0 && y - start >= 5) print int((start + y - 1) / 2); start = -1 }
      NR > 1 { y = $2; colour = $3 "," $4 "," $5
        if (colour != last) { close_run(y); if (!($3 == $4 && $4 == $5)) start = y }
        last = colour }
      END { close_run(y + 1) }'
}

# Shoots until the channel list shows N rows (else fails with MESSAGE); sets rows and frame, the
# plot area below the first row's height as a WxH+X+Y region.
await_rows() {
  rows=""
  for _ in $(seq 150); do
    shoot
    rows=$(swatch_rows)
    [ "$(echo "$rows" | grep -c .)" -ge "$1" ] && break
    sleep 0.2
  done
  [ "$(echo "$rows" | grep -c .)" -ge "$1" ] || fail "$2"
  local top=${rows%%$'\n'*}
  frame="$((list_x - 140))x$((HEIGHT - 80 - top))+70+$top"
}

# Pixels of the screenshot region WxH+X+Y that are not grey (black, white and greys excluded).
coloured_pixels() {
  convert "$work/shot.png" -crop "$1" +repage txt:- |
    awk -F'[(),: ]+' 'NR > 1 && !($3 == $4 && $4 == $5) { n++ } END { print n + 0 }'
}
