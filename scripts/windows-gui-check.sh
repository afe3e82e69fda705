#!/usr/bin/env bash
# windows-gui-check.sh KURVON_EXE [SCREENSHOT]: the Windows window under Wine on a private Xvfb:
# opens a file from a folder with a Chinese name given on the command line, ticks a channel
# (a curve must appear), saves the picture as a BMP through the Save picture dialog, and keeps a
# screenshot when asked. Needs the environment scripts/windows.sh sets up.
set -euo pipefail
exe=$(realpath "${1:?usage: windows-gui-check.sh KURVON_EXE [SCREENSHOT]}")
screenshot=${2:-}
root=$(cd "$(dirname "$0")/.." && pwd)
tag=windows-gui
window_wait=600 # Wine's first window on a busy machine may take a minute or more
. "$root/scripts/xvfb-session.sh"

mkdir -p "$work/图片 目录"
cp "$root/examples/example.kvd" "$work/图片 目录/电池测试 2024.kvd"
# start_kurvon runs PROGRAM FILE with QT_QPA_PLATFORM=xcb: this one hands the file to the
# Windows program under Wine, with Qt's Windows platform.
cat >"$work/kurvon-wine" <<EOF
#!/bin/sh
QT_QPA_PLATFORM=windows exec wine "$exe" "\$(winepath -w "\$1")"
EOF
chmod +x "$work/kurvon-wine"

# A Wine server still running from the headless checks before this one has its desktop on no
# display, and every window of a program it starts goes nowhere: end it first.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
start_xvfb
# Wine's first window in a fresh prefix (its desktop, the X11 driver) takes longer than the
# window wait allows on a busy machine: one quick run first.
wine "$exe" --version >/dev/null 2>&1 || true
start_kurvon "$work/kurvon-wine" "$work/图片 目录/电池测试 2024.kvd"

await_rows 6 "the channel list never showed the six channels"

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
[ "$after" -gt 100 ] || fail "no curve after ticking a channel ($after coloured pixels)"
echo "$tag: curve drawn ($after coloured pixels inside the frame)"
[ -n "$screenshot" ] && cp "$work/shot.png" "$screenshot"

# Save picture (Ctrl+S), then the file name pasted into the dialog: typed, the Chinese letters
# would not reach Wine.
picture=$(winepath -w "$work/图片 目录/曲线.bmp")
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool key --window "$window" ctrl+s
sleep 3
printf '%s' "$picture" | xclip -selection clipboard -loops 5 &
clip_pid=$!
sleep 0.5
xdotool key ctrl+a ctrl+v
sleep 1
xdotool key Return
kill "$clip_pid" 2>/dev/null || true
for _ in $(seq 40); do
  [ -s "$work/图片 目录/曲线.bmp" ] && break
  sleep 0.25
done
[ -s "$work/图片 目录/曲线.bmp" ] || fail "Save picture wrote no BMP"
[ "$(head -c 2 "$work/图片 目录/曲线.bmp")" = BM ] || fail "the saved picture is not a BMP"
echo "$tag: Save picture wrote $(stat -c %s "$work/图片 目录/曲线.bmp") bytes of BMP"
