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
#
# The tests also need one thing that Debian does not package: scorm-again,
# the SCORM runtime the SCORM package is played against, which npm installs
# from its registry into tests/scorm/node_modules at the version
# tests/scorm/package-lock.json pins.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

build=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-tools-dev qt6-l10n-tools
  libzip-dev
)
packaging=(dpkg-dev)
# What the program loads at run time: Qt's Spanish texts, the faces that
# stand in for the design's fonts and set the menus and dialogs, and Andika
# for the worksheets in easy-reading letters.
program=(qt6-translations-l10n fonts-liberation fonts-sil-andika)
tests=(
  libbenchmark-dev
  xvfb xauth xdotool x11-utils x11-xkb-utils
  dbus dbus-daemon dbus-bin at-spi2-core python3-pyatspi
  poppler-utils imagemagick
  librsvg2-bin
  appstream desktop-file-utils
  lintian devscripts
  chromium chromium-driver python3-selenium
  libxml2-utils nodejs npm
)

case ${1:-} in
  "") packages=("${build[@]}" "${packaging[@]}" "${program[@]}" "${tests[@]}") ;;
  --program) packages=("${build[@]}" "${program[@]}") ;;
  --package) packages=("${build[@]}" "${packaging[@]}") ;;
  *) echo "usage: $0 [--program | --package]" >&2; exit 2 ;;
esac

# scorm-again for the tests, once npm is there.
scorm_runtime() {
  [[ -z ${1:-} ]] || return 0
  [[ -f $root/tests/scorm/node_modules/scorm-again/package.json ]] && return 0
  echo "Installing scorm-again for the tests (npm ci in tests/scorm)"
  npm ci --prefix "$root/tests/scorm" --no-audit --no-fund --ignore-scripts
}

missing=()
for p in "${packages[@]}"; do
  # A Node.js from elsewhere (NodeSource's) carries its own npm, which
  # Debian's npm package would conflict with.
  if [[ $p == nodejs || $p == npm ]] && command -v "${p/nodejs/node}" >/dev/null; then
    continue
  fi
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if ((${#missing[@]} == 0)); then
  scorm_runtime "${1:-}"
  exit 0
fi

if [[ $EUID -ne 0 ]]; then
  echo "install-deps: missing ${missing[*]}; run this as root (or: sudo apt-get install ${missing[*]})" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
scorm_runtime "${1:-}"
