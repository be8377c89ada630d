#!/bin/bash
# The Debian package as a user gets it: build the .deb from the build tree,
# check what it holds, unpack it into a temporary root, and run the unpacked
# program under a bare X server as an ordinary user (nobody) whose documents
# folder is a fresh one. The program cannot write beside itself there, so a
# batch of one must land in that user's "Sopaly" folder, next to the copies
# of the shipped files.
#
#   package_test.sh <source tree> <build tree>
#
# Needs root (to run as another user); exits 77, which ctest counts as a
# skip, when not root or when a tool is missing.
set -uo pipefail

readonly WINDOW_NAME='^Sopaly!!!$'
readonly STEP_TIMEOUT=20 # seconds any single wait may take
readonly RUN_TIMEOUT=120 # seconds for the run under X, X server included
readonly USER_NAME=nobody
readonly GROUP_NAME=nogroup

fail() {
    echo "package: FAIL: $*" >&2
    exit 1
}

skip() {
    echo "package: SKIPPED: $*"
    exit 77
}

note() { echo "package: $*"; }

now_ms() { echo $(($(date +%s%N) / 1000000)); }

wait_until() {
    local deadline=$(($(now_ms) + STEP_TIMEOUT * 1000))
    until "$@" >/dev/null 2>&1; do
        (($(now_ms) < deadline)) || return 1
        sleep 0.05
    done
}

file_complete() {
    # A puzzle file ends with its closing line of asterisks.
    [[ "$(tail -c 35 "$1" | od -An -v -tx1 | tr -d ' \n')" == "$(printf '2a%.0s' {1..33})0d0a" ]]
}

# --- Second pass: the ordinary user, under X -------------------------------------
if [[ "${1:-}" == --as-user ]]; then
    program=$2
    documents=$HOME/Documentos
    folder=$documents/Sopaly
    pid=
    trap '[[ -n "$pid" ]] && kill "$pid" 2>/dev/null' EXIT
    keys() { timeout "$STEP_TIMEOUT" xdotool key --clearmodifiers --delay 40 "$@" || fail "xdotool key $*"; }
    alive() { [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; }

    [[ "$(id -u)" != 0 ]] || fail "the program runs as root"
    [[ ! -e "$documents" ]] || fail "$documents exists before the program starts"
    wait_until xdpyinfo || fail "the X server does not answer"
    "$program" >"$HOME/stdout.txt" 2>"$HOME/stderr.txt" &
    pid=$!
    wait_until xdotool search --onlyvisible --name "$WINDOW_NAME" ||
        fail "no window named Sopaly!!! (program messages: $(head -c 2000 "$HOME/stderr.txt"))"
    wid=$(xdotool search --onlyvisible --name "$WINDOW_NAME" | head -n 1)
    has_focus() { [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$wid" ]]; }
    wait_until has_focus || fail "the window has no keyboard focus"

    # One word, then a batch of one; five tabs lead from the word field to
    # the number of puzzles.
    timeout "$STEP_TIMEOUT" xdotool type --delay 30 -- luna || fail "xdotool type"
    keys Return Tab Tab Tab Tab Tab ctrl+a
    timeout "$STEP_TIMEOUT" xdotool type --delay 30 -- 1 || fail "xdotool type 1"
    keys alt+g
    wait_until file_complete "$folder/Tabloza1.txt" || fail "no complete $folder/Tabloza1.txt"
    grep -q $'^LUNA\r$' "$folder/Tabloza1.txt" || fail "Tabloza1.txt does not list LUNA"
    alive || fail "the program ended during the batch run"

    keys alt+x
    wait_until bash -c "! kill -0 $pid" || fail "the program still runs after Alt+X"
    wait "$pid"
    status=$?
    pid=
    ((status == 0)) || fail "the program ended with status $status"
    exit 0
fi

# --- First pass: root builds, checks and unpacks the package ----------------------
[[ $# -eq 2 ]] || fail "usage: $0 <source tree> <build tree>"
source_tree=$(readlink -f "$1")
build_tree=$(readlink -f "$2")

[[ "$(id -u)" == 0 ]] || skip "needs root to run the program as an ordinary user"
for tool in dpkg-deb dpkg-shlibdeps setpriv xvfb-run xauth xdotool xdpyinfo timeout; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps.sh)"
done
getent passwd "$USER_NAME" >/dev/null || skip "there is no user $USER_NAME"

# In /tmp, not $TMPDIR: the ordinary user must reach it.
WORK=$(mktemp -d /tmp/sopaly-package.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
# The ordinary user reaches the unpacked program and this script through it.
chmod 755 "$WORK"

note "building the package"
bash "$source_tree/scripts/package.sh" --build "$build_tree" --out "$WORK" >"$WORK/package.log" 2>&1 ||
    fail "scripts/package.sh: $(tail -n 20 "$WORK/package.log")"
debs=("$WORK"/sopaly_*_"$(dpkg --print-architecture)".deb)
[[ ${#debs[@]} -eq 1 && -f "${debs[0]}" ]] || fail "no sopaly_<version>_<arch>.deb"
deb=${debs[0]}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_tree/CMakeCache.txt")
[[ "$(basename "$deb")" == "sopaly_${version}_$(dpkg --print-architecture).deb" ]] ||
    fail "$(basename "$deb") does not carry the version $version"

note "checking its fields"
[[ "$(dpkg-deb -f "$deb" Package)" == sopaly ]] || fail "the package is not named sopaly"
[[ "$(dpkg-deb -f "$deb" Version)" == "$version" ]] || fail "the package's version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6printsupport6 \
    fonts-liberation qt6-translations-l10n; do
    [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] ||
        fail "Depends lacks $needed: $depends"
done

note "checking its contents"
dpkg-deb -c "$deb" >"$WORK/contents.txt" || fail "dpkg-deb -c"
for path in usr/lib/sopaly/sopaly usr/lib/sopaly/S.g usr/lib/sopaly/bovedal.swf \
    usr/lib/sopaly/u.t usr/lib/sopaly/p.t \
    usr/share/applications/example.sopaly.Sopaly.desktop \
    usr/share/metainfo/example.sopaly.Sopaly.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/sopaly.svg \
    usr/share/icons/hicolor/{32x32,48x48,64x64,128x128,256x256}/apps/sopaly.png \
    usr/share/doc/sopaly/copyright; do
    grep -q "^-[-rwx]* root/root .* \./$path\$" "$WORK/contents.txt" ||
        fail "the package lacks ./$path owned by root"
done
grep -q '^-rwxr-xr-x root/root .* \./usr/lib/sopaly/sopaly$' "$WORK/contents.txt" ||
    fail "the program is not executable by everyone"
grep -q '^lrwxrwxrwx root/root .* \./usr/bin/sopaly -> \.\./lib/sopaly/sopaly$' "$WORK/contents.txt" ||
    fail "/usr/bin/sopaly does not point to /usr/lib/sopaly/sopaly"

note "unpacking it and running the program as $USER_NAME"
dpkg -x "$deb" "$WORK/root" || fail "dpkg -x"
chmod 755 "$WORK/root"
cp "$0" "$WORK/package_test.sh" && chmod 644 "$WORK/package_test.sh"

# A fresh home: the documents folder as xdg-user-dirs names it in a Spanish
# session, not made yet.
make_home() {
    rm -rf "$home"
    mkdir -p "$home/.config" "$home/runtime" || fail "cannot make $home"
    # shellcheck disable=SC2016
    printf 'XDG_DOCUMENTS_DIR="$HOME/Documentos"\n' >"$home/.config/user-dirs.dirs"
    chmod 700 "$home/runtime"
    chown -R "$USER_NAME:$GROUP_NAME" "$home"
}

run_as_user() {
    timeout --kill-after=10 "$RUN_TIMEOUT" \
        setpriv --reuid="$USER_NAME" --regid="$GROUP_NAME" --clear-groups \
        env -i HOME="$home" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$home/runtime" LANG=C.UTF-8 \
        TMPDIR=/tmp \
        xvfb-run -a -n "$((100 + RANDOM % 800))" -s "-screen 0 1024x768x24 -nolisten tcp" \
        bash "$WORK/package_test.sh" --as-user "$WORK/root/usr/bin/sopaly"
}

home=$WORK/home
# Typing through xdotool into a bare X server now and then loses a key on a
# loaded machine; one more attempt in a fresh home on a fresh server tells
# such a slip from a fault of the program, which fails both.
make_home
if ! run_as_user; then
    note "attempt 1 failed"
    make_home
    run_as_user || fail "the unpacked program did not do its batch run as $USER_NAME"
fi

folder=$home/Documentos/Sopaly
for name in S.g bovedal.swf u.t p.t; do
    cmp -s "$WORK/root/usr/lib/sopaly/$name" "$folder/$name" ||
        fail "$folder/$name is not a copy of the shipped file"
done
[[ "$(stat -c %U "$folder/Tabloza1.txt")" == "$USER_NAME" ]] || fail "Tabloza1.txt is not the user's"
extra=$(find "$WORK/root" -newer "$deb" ! -type d)
[[ -z "$extra" ]] || fail "files appeared beside the installed program: $extra"
note "passed"
