#!/usr/bin/env bash
# Installs, from Debian 12's own packages, whatever the machine lacks of the
# tools asked for. Run as root; as another user it only says what is missing.
#
#   scripts/install-deps.sh            the build, the program and the tests
#                                      (scripts/test.sh)
#   scripts/install-deps.sh --program  only the build and what the program
#                                      loads at run time (scripts/run.sh)
#   scripts/install-deps.sh --package  only the build and Debian's packaging
#                                      tools, what scripts/package.sh needs
set -euo pipefail

build=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-tools-dev qt6-l10n-tools
)
packaging=(dpkg-dev)
# What the program loads at run time: Qt's Spanish texts, the faces that
# stand in for the design's fonts and set the menus and dialogs, and Andika
# for the worksheets in easy-reading letters.
program=(qt6-translations-l10n fonts-liberation fonts-sil-andika)
tests=(
  libbenchmark-dev
  xvfb xauth xdotool x11-utils x11-xkb-utils
  poppler-utils imagemagick
  python3-pyatspi at-spi2-core dbus
  librsvg2-bin
  appstream desktop-file-utils
  lintian devscripts
)

case ${1:-} in
  "") packages=("${build[@]}" "${packaging[@]}" "${program[@]}" "${tests[@]}") ;;
  --program) packages=("${build[@]}" "${program[@]}") ;;
  --package) packages=("${build[@]}" "${packaging[@]}") ;;
  *) echo "usage: $0 [--program | --package]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
((${#missing[@]})) || exit 0

if [[ $EUID -ne 0 ]]; then
  echo "install-deps: missing ${missing[*]}; run this as root (or: sudo apt-get install ${missing[*]})" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
