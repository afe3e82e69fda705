# Sourced by the scripts that drive Kurvon in a private Xvfb. The caller sets `tag` (the prefix
# of its messages). Provides: work (a temporary folder), start_xvfb, start_kurvon KURVON FILE
# (sets app_pid, window, WIDTH, HEIGHT, list_x), shoot (screenshot to $work/shot.png),
# swatch_rows (row centres of the channel list) and fail.
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
  [ -f "$work/kurvon.log" ] && sed "s/^/$tag: kurvon: /" "$work/kurvon.log" >&2
  [ -f "$work/xvfb.log" ] && sed "s/^/$tag: Xvfb: /" "$work/xvfb.log" >&2
  exit 1
}

start_xvfb() {
  local display=99
  while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
    display=$((display + 1))
  done
  Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$display"
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"
}

start_kurvon() {
  QT_QPA_PLATFORM=xcb "$1" "$2" >"$work/kurvon.log" 2>&1 &
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
