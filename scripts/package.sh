#!/usr/bin/env bash
# Builds the Debian package sopaly_<version>_<arch>.deb: the program folder
# under /usr/lib/sopaly, /usr/bin/sopaly, the desktop entry, the icons, the
# AppStream metainfo and the copyright file; the dependencies come from the
# binary (dpkg-shlibdeps) plus what the program loads at run time.
#
#   scripts/package.sh [--build DIR] [--out DIR]
#
# Without --build the program is built afresh in build-deb/ (Release);
# --build DIR packages an existing build instead. The package is written to
# --out (default: the top of the source tree). Needs no root; run as root it
# first installs what it lacks of the build's tools and Debian's packaging
# tools, and nothing the tests alone need.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)

build=
out=$top
while (($#)); do
    case $1 in
        --build) build=$(cd "$2" && pwd); shift 2 ;;
        --out) out=$(cd "$2" && pwd); shift 2 ;;
        *) echo "usage: $0 [--build DIR] [--out DIR]" >&2; exit 2 ;;
    esac
done

# As root on a fresh machine, the tools come first, as for run.sh and test.sh.
if [[ $EUID -eq 0 ]]; then
    bash scripts/install-deps.sh --package
fi
for tool in cmake ninja dpkg-deb dpkg-shlibdeps dpkg; do
    command -v "$tool" >/dev/null || { echo "package: $tool is not installed (scripts/install-deps.sh --package)" >&2; exit 1; }
done

if [[ -z "$build" ]]; then
    build=$top/build-deb
    rm -rf "$build"
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSOPALY_BENCHMARK=OFF
    cmake --build "$build" --parallel --target sopaly sopaly_program_files
fi
[[ -x "$build/bin/sopaly" ]] || { echo "package: no program in $build/bin" >&2; exit 1; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
arch=$(dpkg --print-architecture)
metainfo=assets/example.sopaly.Sopaly.metainfo.xml
# Software centres show the newest release of the metainfo as the version.
grep -q "<release version=\"$version\"" "$metainfo" ||
    { echo "package: $metainfo has no release $version" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/sopaly-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
root=$work/root
umask 022

DESTDIR=$root cmake --install "$build" --prefix /usr --strip >/dev/null
install -D -m 644 packaging/copyright "$root/usr/share/doc/sopaly/copyright"
# Whatever the umask of the build: folders and the program 755, files 644.
find "$root" -type d -exec chmod 755 {} +
find "$root" -type f -exec chmod 644 {} +
chmod 755 "$root/usr/lib/sopaly/sopaly"

# dpkg-shlibdeps wants to stand in a source tree.
mkdir -p "$work/debian" && : >"$work/debian/control"
shlibs=$(cd "$work" && dpkg-shlibdeps -O root/usr/lib/sopaly/sopaly 2>"$work/shlibdeps.log") ||
    { cat "$work/shlibdeps.log" >&2; exit 1; }
shlibs=${shlibs#shlibs:Depends=}

mkdir -p "$root/DEBIAN"
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$root/DEBIAN/md5sums"
# The program loads Qt's Spanish texts for its dialogs, and its fonts stand
# in for the ones the windows were designed with.
cat >"$root/DEBIAN/control" <<EOF
Package: sopaly
Version: $version
Architecture: $arch
Maintainer: Equipo Sopaly <sopaly@sopaly.example>
Installed-Size: $(du -sk "$root/usr" | cut -f1)
Depends: $shlibs, fonts-liberation, qt6-translations-l10n
Recommends: qt6-wayland
Section: games
Priority: optional
Homepage: https://www.sopaly.example/sopaly
Description: word-search puzzle maker (sopa de letras)
 Sopaly makes word-search puzzles for the classroom and the kitchen table
 from a list of words: pick the size of the grid, how many words to hide and
 the difficulty, then print the puzzle with its word list, save it as a PDF,
 or make any number of puzzles at once as text files with the answer key.
 .
 The interface is in Spanish.
EOF

deb=$out/sopaly_${version}_${arch}.deb
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
echo "$deb"
