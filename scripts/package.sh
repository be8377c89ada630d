#!/usr/bin/env bash
# Builds the Debian package sopaly_<version>_<arch>.deb: the program folder
# under /usr/lib/sopaly, /usr/bin/sopaly, the banner lists under /etc/sopaly
# as conffiles, the desktop entry, the icons, the AppStream metainfo, the
# manual page, the bash completion, the changelog and the copyright file; the
# dependencies come from the binary (dpkg-shlibdeps) plus what the program
# loads at run time.
# The program is built with Debian's hardening flags (dpkg-buildflags).
#
#   scripts/package.sh [--build DIR] [--out DIR]
#
# The program is built in DIR (default: a fresh build-deb/); a DIR kept from
# an earlier run is only brought up to date. The package is written to --out
# (default: the top of the source tree). Needs no root; run as root it first
# installs what it lacks of the build's tools and Debian's packaging tools,
# and nothing the tests alone need.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)

build=
out=$top
while (($#)); do
    case $1 in
        --build) build=$(mkdir -p "$2" && cd "$2" && pwd); shift 2 ;;
        --out) out=$(cd "$2" && pwd); shift 2 ;;
        *) echo "usage: $0 [--build DIR] [--out DIR]" >&2; exit 2 ;;
    esac
done

# As root on a fresh machine, the tools come first, as for run.sh and test.sh.
if [[ $EUID -eq 0 ]]; then
    bash scripts/install-deps.sh --package
fi
for tool in cmake ninja dpkg-deb dpkg-shlibdeps dpkg dpkg-buildflags dpkg-parsechangelog gzip strip; do
    command -v "$tool" >/dev/null || { echo "package: $tool is not installed (scripts/install-deps.sh --package)" >&2; exit 1; }
done

if [[ -z "$build" ]]; then
    build=$top/build-deb
    rm -rf "$build"
fi
arch=$(dpkg --print-architecture)
# Stack protector, _FORTIFY_SOURCE=2, RELRO and BIND_NOW from Debian's own
# flags; Debian 12's dpkg has no switch for control-flow protection yet.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
[[ $arch != amd64 ]] || cxxflags+=" -fcf-protection"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DSOPALY_BENCHMARK=OFF \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$build" --parallel --target sopaly sopaly_program_files
[[ -x "$build/bin/sopaly" ]] || { echo "package: no program in $build/bin" >&2; exit 1; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
metainfo=assets/example.sopaly.Sopaly.metainfo.xml
# Software centres show the newest release of the metainfo as the version.
grep -q "<release version=\"$version\"" "$metainfo" ||
    { echo "package: $metainfo has no release $version" >&2; exit 1; }
# The changelog kept in packaging/ is the package's own: a native package.
[[ "$(dpkg-parsechangelog -l packaging/changelog -S Version)" == "$version" ]] ||
    { echo "package: packaging/changelog has no entry for $version" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/sopaly-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
root=$work/root
umask 022

DESTDIR=$root cmake --install "$build" --prefix /usr --strip >/dev/null
# As dh_strip does: the compiler's notes are no use in a package.
strip --remove-section=.comment --remove-section=.note "$root/usr/lib/sopaly/sopaly"
doc=$root/usr/share/doc/sopaly
install -D -m 644 packaging/copyright "$doc/copyright"
gzip -9n <packaging/changelog >"$doc/changelog.gz"
# Installed with the program; a package keeps its manual pages compressed.
gzip -9n "$root/usr/share/man/man1/sopaly.1"
# The banner lists and the rude words are the administrator's: under /etc,
# kept by dpkg across upgrades. The program reads them there once installed,
# so the program folder keeps no copy an administrator could edit in vain.
conffiles=(etc/sopaly/u.t etc/sopaly/p.t etc/sopaly/palabrotas.txt)
for conffile in "${conffiles[@]}"; do
    name=$(basename "$conffile")
    install -D -m 644 "assets/$name" "$root/$conffile"
    rm -f "$root/usr/lib/sopaly/$name"
done
# Only the package puts this beside the program: wherever it is unpacked,
# the program knows itself installed and writes into each user's folder.
printf 'Sopaly instalado por su paquete Debian: los archivos de cada usuario van a su carpeta Sopaly.\n' \
    >"$root/usr/lib/sopaly/installed"
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
printf '/%s\n' "${conffiles[@]}" >"$root/DEBIAN/conffiles"
# The program loads Qt's Spanish texts for its dialogs, and its fonts stand
# in for the ones the windows were designed with.
cat >"$root/DEBIAN/control" <<EOF
Package: sopaly
Version: $version
Architecture: $arch
Maintainer: Equipo Sopaly <sopaly@sopaly.example>
Installed-Size: $(du -sk "$root/usr" "$root/etc" | awk '{ sum += $1 } END { print sum }')
Depends: $shlibs, fonts-liberation, fonts-sil-andika, qt6-translations-l10n
Recommends: qt6-wayland
Section: education
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
