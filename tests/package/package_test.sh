#!/bin/bash
# The Debian package as a school's administrator checks it before a roll-out:
# build the .deb with Debian's hardening flags, check it with lintian and
# hardening-check, check what it holds (the banner lists in /etc/sopaly as
# conffiles), unpack it into a temporary root, and run the unpacked program
# under a bare X server, first as an ordinary user (nobody) whose documents
# folder is a fresh one, then as root. Each run makes a batch of one, which
# must land in that user's "Sopaly" folder and nowhere under the unpacked
# tree; the ordinary user's banner must ask for the picture that the
# administrator's /etc/sopaly/u.t names, with no list copied into the user's
# folder.
#
#   package_test.sh <source tree> <build tree>
#
# Needs root (to run as another user); exits 77, which ctest counts as a
# skip, when not root, when a tool is missing or when the loopback is down.
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

# --- Second pass: a user, under X -------------------------------------------------
if [[ "${1:-}" == --run ]]; then
    program=$2
    banner_log=${3:-}
    documents=$HOME/Documentos
    folder=$documents/Sopaly
    pid=
    trap '[[ -n "$pid" ]] && kill "$pid" 2>/dev/null' EXIT
    keys() { timeout "$STEP_TIMEOUT" xdotool key --clearmodifiers --delay 40 "$@" || fail "xdotool key $*"; }
    alive() { [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; }

    [[ ! -e "$documents" ]] || fail "$documents exists before the program starts"
    wait_until xdpyinfo || fail "the X server does not answer"
    "$program" >"$HOME/stdout.txt" 2>"$HOME/stderr.txt" &
    pid=$!
    if ! wait_until xdotool search --onlyvisible --name "$WINDOW_NAME"; then
        # What the X server said, whether it still answers, and Qt's reasons
        # in full: enough to tell a server that went away from a program
        # that cannot use it.
        answers=no
        xdpyinfo >/dev/null 2>&1 && answers=yes
        QT_DEBUG_PLUGINS=1 QT_LOGGING_RULES='qt.qpa.*=true' timeout 20 "$program" \
            >"$HOME/debug.txt" 2>&1
        fail "no window named Sopaly!!! (program messages: $(head -c 2000 "$HOME/stderr.txt"))" \
            "(the server on $DISPLAY answers xdpyinfo now: $answers; it said:" \
            "$(tail -c 1500 "$HOME/xvfb.txt" 2>/dev/null))" \
            "(/tmp/.X11-unix: $(ls -la /tmp/.X11-unix 2>&1 | tr '\n' ' '))" \
            "(run again with Qt's debugging on: $(tail -c 3000 "$HOME/debug.txt"))"
    fi
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
    if [[ -n "$banner_log" ]]; then
        # The banner's first tick, five seconds after the start, asks for
        # the first picture of the list.
        wait_until grep -q '^GET /anuncio-de-la-escuela.gif ' "$banner_log" ||
            fail "the banner never asked for the picture /etc/sopaly/u.t names"
    fi

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
self=$(readlink -f "$0")
source_tree=$(readlink -f "$1")
build_tree=$(readlink -f "$2")

[[ "$(id -u)" == 0 ]] || skip "needs root to run the program as an ordinary user"
for tool in dpkg-deb dpkg-shlibdeps setpriv xvfb-run xauth xdotool xdpyinfo timeout lintian \
    hardening-check objdump readelf gcc perl; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps.sh)"
done
getent passwd "$USER_NAME" >/dev/null || skip "there is no user $USER_NAME"

# In /tmp, not $TMPDIR: the ordinary user must reach it.
WORK=$(mktemp -d /tmp/sopaly-package.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
# The ordinary user reaches the unpacked program and this script through it.
chmod 755 "$WORK"
# A clone in /root, mode 700 on Debian, starts this script in a folder that
# nobody cannot enter. The script stands in such a folder wherever the tree
# is, so that a step of nobody's that leans on the folder it was started from
# fails on every machine, not only on a newcomer's.
mkdir -m 700 "$WORK/private" && cd "$WORK/private" || fail "cannot enter $WORK/private"

# as_user <user> <group> <folder> <command...>: runs the command as the user
# in a clean environment, working in the folder, which is the user's own,
# with the user's temporary files inside it (lintian leaves some behind).
as_user() {
    local user=$1 group=$2 folder=$3
    shift 3
    mkdir -p "$folder/tmp" && chown -R "$user:$group" "$folder" && chmod 700 "$folder" ||
        fail "cannot make $folder"
    (cd "$folder" && setpriv --reuid="$user" --regid="$group" --clear-groups \
        env -i HOME="$folder" PATH=/usr/bin:/bin LANG=C.UTF-8 TMPDIR="$folder/tmp" "$@")
}

note "building the package (in $build_tree/deb, kept between runs)"
bash "$source_tree/scripts/package.sh" --build "$build_tree/deb" --out "$WORK" >"$WORK/package.log" 2>&1 ||
    fail "scripts/package.sh: $(tail -n 20 "$WORK/package.log")"
debs=("$WORK"/sopaly_*_"$(dpkg --print-architecture)".deb)
[[ ${#debs[@]} -eq 1 && -f "${debs[0]}" ]] || fail "no sopaly_<version>_<arch>.deb"
deb=${debs[0]}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_tree/deb/CMakeCache.txt")
[[ "$(basename "$deb")" == "sopaly_${version}_$(dpkg --print-architecture).deb" ]] ||
    fail "$(basename "$deb") does not carry the version $version"

note "checking its fields"
[[ "$(dpkg-deb -f "$deb" Package)" == sopaly ]] || fail "the package is not named sopaly"
[[ "$(dpkg-deb -f "$deb" Version)" == "$version" ]] || fail "the package's version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6printsupport6 \
    fonts-liberation fonts-sil-andika qt6-translations-l10n; do
    [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] ||
        fail "Depends lacks $needed: $depends"
done

note "checking it with lintian"
# Run by nobody: lintian needs no root, and says so when it gets it.
chmod 644 "$deb"
as_user "$USER_NAME" "$GROUP_NAME" "$WORK/lintian" \
    lintian --fail-on error,warning --info "$deb" >"$WORK/lintian.txt" 2>&1 ||
    fail "lintian: $(cat "$WORK/lintian.txt")"
grep -E '^[EW]: ' "$WORK/lintian.txt" && fail "lintian finds errors or warnings"
note "section $(dpkg-deb -f "$deb" Section), lintian: $(grep -c '^[EWI]: ' "$WORK/lintian.txt") tags"
[[ "$(dpkg-deb -f "$deb" Section)" == education ]] || fail "the section is not education"

note "checking the banner lists are conffiles"
[[ "$(dpkg-deb --info "$deb" conffiles)" == $'/etc/sopaly/u.t\n/etc/sopaly/p.t\n/etc/sopaly/palabrotas.txt' ]] ||
    fail "DEBIAN/conffiles is not /etc/sopaly/u.t, p.t and palabrotas.txt: $(dpkg-deb --info "$deb" conffiles)"

note "checking its contents"
dpkg-deb -c "$deb" >"$WORK/contents.txt" || fail "dpkg-deb -c"
for path in usr/lib/sopaly/sopaly usr/lib/sopaly/S.g usr/lib/sopaly/bovedal.swf \
    usr/lib/sopaly/installed etc/sopaly/u.t etc/sopaly/p.t etc/sopaly/palabrotas.txt \
    usr/share/applications/example.sopaly.Sopaly.desktop \
    usr/share/metainfo/example.sopaly.Sopaly.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/sopaly.svg \
    usr/share/icons/hicolor/{32x32,48x48,64x64,128x128,256x256}/apps/sopaly.png \
    usr/share/doc/sopaly/copyright usr/share/doc/sopaly/changelog.gz \
    usr/share/man/man1/sopaly.1.gz usr/share/bash-completion/completions/sopaly; do
    grep -q "^-[-rwx]* root/root .* \./$path\$" "$WORK/contents.txt" ||
        fail "the package lacks ./$path owned by root"
done
grep -q '^-rwxr-xr-x root/root .* \./usr/lib/sopaly/sopaly$' "$WORK/contents.txt" ||
    fail "the program is not executable by everyone"
grep -q '^lrwxrwxrwx root/root .* \./usr/bin/sopaly -> \.\./lib/sopaly/sopaly$' "$WORK/contents.txt" ||
    fail "/usr/bin/sopaly does not point to /usr/lib/sopaly/sopaly"

note "unpacking it"
dpkg -x "$deb" "$WORK/root" || fail "dpkg -x"
chmod 755 "$WORK/root"
cp "$self" "$WORK/package_test.sh" && chmod 644 "$WORK/package_test.sh"

note "checking its hardening"
binary=$WORK/root/usr/lib/sopaly/sopaly
if ! hardening-check "$binary" >"$WORK/hardening.txt" 2>&1; then
    # One line cannot pass on Debian 12 whatever the flags: its C start files
    # (crt1.o, crti.o) carry no control-flow note, so the linker drops it from
    # every program (hardening-check /usr/bin/ls says the same). It is let
    # off only where the start files lack the note and the program's own
    # code carries the protection's landing pads; every other line must pass.
    readelf -n "$(gcc -print-file-name=Scrt1.o)" | grep -q 'IBT' &&
        fail "hardening-check: $(cat "$WORK/hardening.txt")"
    (($(objdump -d "$binary" | grep -c endbr64) > 100)) ||
        fail "the program was built without -fcf-protection: $(cat "$WORK/hardening.txt")"
    hardening-check --nocfprotection "$binary" >"$WORK/hardening.txt" 2>&1 ||
        fail "hardening-check: $(cat "$WORK/hardening.txt")"
fi
cat "$WORK/hardening.txt"

# The administrator's list names a picture on a listener of this test's own;
# that the banner asks for it is the proof that the list reached it.
banner_log=$WORK/banner-requests.txt
: >"$banner_log" && chmod 666 "$banner_log"
perl -MIO::Socket::INET -e '
    my $server = IO::Socket::INET->new(LocalAddr => "127.0.0.1", LocalPort => 0, Listen => 5,
                                       ReuseAddr => 1) or exit 3;
    open(my $port, ">", $ARGV[0]) or exit 4; print $port $server->sockport, "\n"; close $port;
    while (my $client = $server->accept) {
        my $line = <$client>;
        open(my $log, ">>", $ARGV[1]); print $log $line; close $log;
        print $client "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n";
        close $client;
    }' "$WORK/port" "$banner_log" &
listener=$!
trap 'kill "$listener" 2>/dev/null; rm -rf "$WORK"' EXIT
wait_until test -s "$WORK/port" || skip "no listener on the loopback (is it down?)"
printf 'http://127.0.0.1:%s/anuncio-de-la-escuela.gif\n' "$(cat "$WORK/port")" \
    >"$WORK/root/etc/sopaly/u.t"
printf 'http://127.0.0.1:%s/\n' "$(cat "$WORK/port")" >"$WORK/root/etc/sopaly/p.t"
# Anything under the unpacked tree newer than this was made by a run.
touch "$WORK/unpacked" && sleep 1

# A fresh home: the documents folder as xdg-user-dirs names it in a Spanish
# session, not made yet.
# make_home <user> <group>
make_home() {
    rm -rf "$home"
    mkdir -p "$home/.config" "$home/runtime" || fail "cannot make $home"
    # shellcheck disable=SC2016
    printf 'XDG_DOCUMENTS_DIR="$HOME/Documentos"\n' >"$home/.config/user-dirs.dirs"
    chmod 700 "$home/runtime"
    chown -R "$1:$2" "$home"
}

# -noreset: without it the server resets when its first client (the
# xdpyinfo probe) leaves, and closes the program's connection if it comes in
# at that moment. What the server says goes to the user's home, for the
# failure report.
# run_as <user> <group> [banner log]
run_as() {
    as_user "$1" "$2" "$home" XDG_RUNTIME_DIR="$home/runtime" \
        SOPALY_ETC_DIR="$WORK/root/etc/sopaly" timeout --kill-after=10 "$RUN_TIMEOUT" \
        xvfb-run -a -n "$((100 + RANDOM % 800))" -e "$home/xvfb.txt" \
        -s "-screen 0 1024x768x24 -nolisten tcp -noreset" \
        bash "$WORK/package_test.sh" --run "$WORK/root/usr/bin/sopaly" "${3:-}"
}

# Typing through xdotool into a bare X server now and then loses a key on a
# loaded machine; one more attempt in a fresh home on a fresh server tells
# such a slip from a fault of the program, which fails both.
# run_twice <user> <group> <what> [banner log]
run_twice() {
    make_home "$1" "$2"
    if ! run_as "$@"; then
        note "attempt 1 failed"
        make_home "$1" "$2"
        run_as "$@" || fail "the unpacked program did not do its batch run as $1"
    fi
}

# Only the batch's puzzle is made in the user's folder: no copy of a list,
# of the standby picture or of the movie.
only_the_puzzle_in() {
    local made
    made=$(cd "$1" && find . -mindepth 1 | sort | tr '\n' ' ')
    [[ "$made" == "./Tabloza1.txt " ]] || fail "$1 holds more than the puzzle: $made"
    [[ "$(stat -c %U "$1/Tabloza1.txt")" == "$2" ]] || fail "Tabloza1.txt is not $2's"
}

note "running the unpacked program's command line as $USER_NAME, with no display"
# A worksheet from a list on standard input, in the user's own folder.
as_user "$USER_NAME" "$GROUP_NAME" "$WORK/command" \
    sh -c 'printf "sol\nluna\n" | "$0" --lista - --semilla 1 --hoja hoja.pdf' \
    "$WORK/root/usr/bin/sopaly" >"$WORK/command.txt" 2>&1 ||
    fail "sopaly --lista - --hoja hoja.pdf: $(cat "$WORK/command.txt")"
[[ "$(head -c 5 "$WORK/command/hoja.pdf")" == %PDF- ]] || fail "the command line wrote no PDF"

note "running the unpacked program as $USER_NAME"
home=$WORK/home
run_twice "$USER_NAME" "$GROUP_NAME" "$banner_log"
only_the_puzzle_in "$home/Documentos/Sopaly" "$USER_NAME"

note "running the unpacked program as root"
home=$WORK/root-home
run_twice root root
only_the_puzzle_in "$home/Documentos/Sopaly" root

extra=$(find "$WORK/root" -newer "$WORK/unpacked")
[[ -z "$extra" ]] || fail "the program wrote under the unpacked tree: $extra"
note "passed"
