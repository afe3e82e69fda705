#!/usr/bin/env bash
# Installs the Debian packages Kurvon needs, and only those that are missing.
# Works as root or through sudo; safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libx11-dev
  libgtest-dev libgmock-dev
  clang-format clang-14 libclang-rt-14-dev llvm-14
  xvfb xauth x11-utils xdotool imagemagick
  fonts-wqy-microhei
  dpkg-dev file help2man desktop-file-utils appstream shared-mime-info
  qt6-translations-l10n
)

missing=()
for p in "${packages[@]}"; do
  if [[ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != *'install ok installed'* ]]; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "Missing packages (${missing[*]}) and neither root nor sudo is available." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
