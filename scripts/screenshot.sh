#!/usr/bin/env bash
# Takes the README's picture of the main window from the real program: a copy
# of the program folder, a bare X server (xvfb-run), words typed and the
# buttons Iniciar and Terminar pressed from the keyboard (xdotool), the window
# photographed with ImageMagick's import.
#
#   scripts/screenshot.sh [--program build/bin/sopaly] [--out docs] [--all]
#
# Writes OUT/screenshot.png; with --all also OUT/menu-archivo.png (the open
# Archivo menu) and OUT/dialogo-abrir.png (the dialog of "Abrir lista de
# palabras..."), both of the whole screen. Needs xvfb, xdotool, x11-utils,
# x11-xkb-utils and imagemagick (scripts/install-deps.sh).
set -euo pipefail
# xdotool reads the words it types through the locale.
export LC_ALL=C.UTF-8
top=$(cd "$(dirname "$0")/.." && pwd)

program=$top/build/bin/sopaly
out=$top/docs
all=0
while (($#)); do
    case $1 in
        --program) program=$(readlink -f "$2"); shift 2 ;;
        --out) out=$(cd "$2" && pwd); shift 2 ;;
        --all) all=1; shift ;;
        *) echo "usage: $0 [--program PATH] [--out DIR] [--all]" >&2; exit 2 ;;
    esac
done
[[ -x "$program" ]] || { echo "screenshot: no program at $program (scripts/build.sh)" >&2; exit 1; }

# First pass: a private X server, and this script again inside it.
if [[ -z "${SOPALY_SHOT_UNDER_X:-}" ]]; then
    for tool in xvfb-run xdotool xdpyinfo setxkbmap import; do
        command -v "$tool" >/dev/null || { echo "screenshot: $tool is not installed" >&2; exit 1; }
    done
    args=(--program "$program" --out "$out")
    ((all)) && args+=(--all)
    # -noreset: the server stays up as the xdpyinfo probe leaves, instead of
    # resetting and closing the program's connection as it comes in.
    SOPALY_SHOT_UNDER_X=1 exec xvfb-run -a -n "$((100 + RANDOM % 800))" \
        -s "-screen 0 1024x768x24 -nolisten tcp -noreset" \
        bash "$0" "${args[@]}"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/sopaly-shot.XXXXXX")
pid=
cleanup() {
    [[ -n "$pid" ]] && kill "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 700 "$work/runtime" "$work/home" "$work/xdg"
# The design values, whatever this machine's or its administrator's settings.
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home XDG_CONFIG_HOME=$work/home/.config \
    XDG_CONFIG_DIRS=$work/xdg

# Waits up to 20 s for the command to succeed.
wait_until() {
    local tries=0
    until "$@" >/dev/null 2>&1; do
        ((++tries < 200)) || return 1
        sleep 0.1
    done
}
keys() { xdotool key --clearmodifiers --delay 60 "$@"; }

wait_until xdpyinfo || { echo "screenshot: the X server $DISPLAY does not answer" >&2; exit 1; }
# A Spanish keyboard, so that ñ is typed with a key of its own.
setxkbmap -layout es
mkdir "$work/program"
cp -a "$(dirname "$program")/." "$work/program/"
(cd "$work" && exec "$work/program/$(basename "$program")") >"$work/messages.txt" 2>&1 &
pid=$!
wait_until xdotool search --onlyvisible --name '^Sopaly!!!$' ||
    { echo "screenshot: no window; the program said: $(cat "$work/messages.txt")" >&2; exit 1; }
wid=$(xdotool search --onlyvisible --name '^Sopaly!!!$' | head -n 1)
wait_until test "$(xdotool getwindowfocus)" = "$wid"

for word in montaña casa perro gato sol luna mar playa niño río árbol flor cielo nube; do
    xdotool type --delay 40 -- "$word"
    keys Return
done
# Four tabs from the word field lead to the most words to hide: twelve of
# the fourteen, so the status line names the two left out.
keys Tab Tab Tab Tab ctrl+a
xdotool type --delay 40 -- 12
keys alt+i
sleep 1
keys alt+v
sleep 2
import -window "$wid" "$out/screenshot.png"
echo "$out/screenshot.png"

if ((all)); then
    keys alt+r
    sleep 1
    import -window root "$out/menu-archivo.png"
    echo "$out/menu-archivo.png"
    keys a
    sleep 2
    import -window root "$out/dialogo-abrir.png"
    echo "$out/dialogo-abrir.png"
    keys Escape
    sleep 0.5
fi
keys alt+x
wait_until bash -c "! kill -0 $pid"
