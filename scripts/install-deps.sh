#!/usr/bin/env bash
# Installs, from Debian 12's own packages, whatever the machine lacks of the
# tools asked for. Run as root.
#
#   scripts/install-deps.sh            the build, the program and the tests
#   scripts/install-deps.sh --package  only the build and Debian's packaging
#                                      tools, what scripts/package.sh needs
set -euo pipefail

build=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
)
packaging=(dpkg-dev)
# What the program loads at run time: Qt's Spanish texts, and the faces that
# stand in for the design's fonts and set the menus and dialogs.
program=(qt6-translations-l10n fonts-liberation)
tests=(
  libbenchmark-dev
  xvfb xauth xdotool x11-utils x11-xkb-utils
  poppler-utils imagemagick
  librsvg2-bin
  appstream desktop-file-utils
  lintian devscripts
)

case ${1:-} in
  "") packages=("${build[@]}" "${packaging[@]}" "${program[@]}" "${tests[@]}") ;;
  --package) packages=("${build[@]}" "${packaging[@]}") ;;
  *) echo "usage: $0 [--package]" >&2; exit 2 ;;
esac

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
