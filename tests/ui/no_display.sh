#!/bin/bash
# The real program where no graphical session can be reached: once with no
# display named at all, once with a display that refuses the connection, as
# DISPLAY=localhost:10.0 does after the `ssh -X` that set it has closed. Each
# time the program must say in one Spanish sentence what it needs and end
# with status 1, not abort with Qt's advice to reinstall it. Where the cause
# is something else (here: a library of the X11 plugin that will not load), the
# program must not blame the display, and must pass on Qt's own words.
#
#   no_display.sh <sopaly executable>
set -uo pipefail
export LC_ALL=C.UTF-8

fail() {
    echo "no_display: FAIL: $*" >&2
    exit 1
}

[[ $# -eq 1 && -x "$1" ]] || fail "usage: $0 <sopaly executable>"
program=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/sopaly-nodisplay.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"

# A TCP display port on this machine that nothing listens on (with the
# loopback down, every one refuses).
display=
for n in $(seq 10 60); do
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$((6000 + n))") 2>/dev/null; then
        display=127.0.0.1:$n.0
        break
    fi
done
[[ -n "$display" ]] || fail "every X port from 6010 to 6060 answers"

readonly SENTENCE='Sopaly necesita una sesión gráfica (X11 o Wayland); '

check() { # what-is-named [DISPLAY=...]
    local name=$1
    shift
    env -i PATH=/usr/bin:/bin HOME="$work" XDG_RUNTIME_DIR="$work/runtime" LC_ALL=C.UTF-8 "$@" \
        timeout --kill-after=5 60 "$program" >"$work/out.txt" 2>"$work/err.txt"
    local status=$?
    local said
    said=$(cat "$work/err.txt" "$work/out.txt")
    ((status == 1)) || fail "$name: exit status $status, not 1; it said: $said"
    [[ "$(wc -l <"$work/err.txt")" == 1 && ! -s "$work/out.txt" ]] ||
        fail "$name: not one line; it said: $said"
    [[ "$said" == "$SENTENCE"* ]] || fail "$name: it said: $said"
    echo "no_display: $name: $said"
}

check "no display named"
check "display $display refusing" DISPLAY="$display"
grep -q "«$display»" "$work/err.txt" || fail "the sentence does not name $display"

# A library of the X11 plugin's own, not the program's, truncated as a
# failed upgrade or a full disk leaves it: the plugin does not load.
mkdir "$work/broken"
: >"$work/broken/libxcb-icccm.so.4"
env -i PATH=/usr/bin:/bin HOME="$work" XDG_RUNTIME_DIR="$work/runtime" LC_ALL=C.UTF-8 \
    DISPLAY="$display" LD_LIBRARY_PATH="$work/broken" \
    timeout --kill-after=5 60 "$program" >"$work/out.txt" 2>"$work/err.txt"
status=$?
said=$(cat "$work/err.txt" "$work/out.txt")
((status == 1)) || fail "no plugin: exit status $status, not 1; it said: $said"
[[ "$(head -n 1 "$work/err.txt")" == "Sopaly no pudo abrir su ventana en la pantalla «$display»; Qt dice:" ]] ||
    fail "no plugin: it said: $said"
grep -q 'platform plugin "xcb"' "$work/err.txt" || fail "no plugin: Qt's own words are missing: $said"
! grep -q 'no acepta la conexión' "$work/err.txt" || fail "no plugin: it blames the display: $said"
echo "no_display: no plugin: $said"
echo "no_display: passed"
