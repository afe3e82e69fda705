#!/usr/bin/env bash
# windows-install-check.sh PACKAGE_DIR: under Wine (the environment scripts/windows.sh sets up),
# the installer installs silently, the installed program runs --info and --render with nothing
# but what it brought (no Qt or MinGW on Wine's path), the zip runs from a folder with a Chinese
# name, and the uninstaller leaves no file, shortcut or registry key behind.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
packages=$1
installer=$(find "$packages" -maxdepth 1 -name '*.exe')
zip=$(find "$packages" -maxdepth 1 -name '*.zip')
[ "$(echo "$installer" | wc -l)" -eq 1 ] && [ -n "$installer" ] && [ -n "$zip" ] || {
  echo "expected one installer and one zip in $packages" >&2
  exit 1
}
unset WINEPATH QT_PLUGIN_PATH
drive=$WINEPREFIX/drive_c
program="$drive/Program Files/Kurvon"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Kurvon 电池检测曲线"
work=$root/build/windows/install-check
rm -rf "$work"
mkdir -p "$work/数据 文件夹"
cp "$root/examples/example.kvd" "$work/数据 文件夹/电池测试 2024.kvd"
data=$(winepath -w "$work/数据 文件夹/电池测试 2024.kvd")

files() { find "$drive" -path "$drive/users/*/Temp" -prune -o -path "$drive/windows" -prune -o \
  -print | sort; }
keys() {
  local key
  for key in 'HKLM\Software\Classes\.kvd' 'HKLM\Software\Classes\Kurvon.kvd' \
    'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kurvon' 'HKLM\Software\Kurvon'; do
    wine reg query "$key" /reg:64 >/dev/null 2>&1 && echo "$key"
  done
  return 0
}
wine reg query "HKLM\\Software" >/dev/null # the prefix up before the first snapshot
wineserver -w
files >"$work/before.txt"
keys >"$work/keys-before.txt"

fail=0
expect() { # what, then the command that tells
  local what=$1
  shift
  if "$@"; then echo "  ok: $what"; else echo "  FAILED: $what"; fail=1; fi
}

echo "== silent install"
wine "$installer" /S
wineserver -w
for f in kurvon.exe kurvon.com Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll libstdc++-6.dll \
  libgcc_s_seh-1.dll libwinpthread-1.dll qt.conf platforms/qwindows.dll platforms/qoffscreen.dll \
  translations/qt_zh_CN.qm Uninstall.exe; do
  expect "installed $f" test -f "$program/$f"
done
expect "Start-menu entry with the Chinese and English names" \
  test -f "$menu/Kurvon 电池检测曲线.lnk"
expect ".kvd opens in Kurvon" sh -c \
  "wine reg query 'HKLM\\Software\\Classes\\Kurvon.kvd\\shell\\open\\command' /reg:64 2>/dev/null |
   grep -q 'kurvon.exe'"
wine "$program/kurvon.com" --info "$data" >"$work/installed.info"
expect "installed kurvon.com --info on a Chinese path" grep -q '^channels: 6' "$work/installed.info"
picture="$work/数据 文件夹/曲线 图.png"
wine "$program/kurvon.com" --render "$(winepath -w "$picture")" "$data" --channels 1,2 || true
expect "installed kurvon.com --render writes a picture" test -s "$picture"

echo "== zip in a folder with a Chinese name"
mkdir -p "$work/解压 位置"
(cd "$work/解压 位置" && unzip -q "$zip")
unpacked=$(find "$work/解压 位置" -name kurvon.com)
wine "$unpacked" --info "$data" >"$work/zip.info"
expect "unpacked kurvon.com --info" cmp -s "$work/installed.info" "$work/zip.info"

echo "== silent uninstall"
wine "$program/Uninstall.exe" /S
wineserver -w
sleep 2
wineserver -w
files >"$work/after.txt"
keys >"$work/keys-after.txt"
expect "no file left behind" diff "$work/before.txt" "$work/after.txt"
expect "no registry key left behind" diff "$work/keys-before.txt" "$work/keys-after.txt"
[ "$fail" -eq 0 ] || exit 1
echo "Windows install check: passed"
