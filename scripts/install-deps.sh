#!/usr/bin/env bash
# Installs, from Debian 12's own packages, whatever the build, the program and
# the tests need and the machine lacks. Run as root.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-translations-l10n
  libbenchmark-dev
  fonts-liberation
  xvfb xauth xdotool x11-utils x11-xkb-utils
  poppler-utils imagemagick
  librsvg2-bin
  dpkg-dev appstream desktop-file-utils
  lintian devscripts
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
