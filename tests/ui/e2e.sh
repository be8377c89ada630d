#!/bin/bash
# End-to-end check of the real program: a copy of the program folder in a
# fresh temporary directory, a bare X server (no window manager), and keys
# typed with xdotool, the way a user would drive it.
#
#   e2e.sh <path to the sopaly executable>
#
# Each step is a function named in STEPS; a step fails the run by calling
# fail. Add a step by writing its function and listing it in STEPS.
set -uo pipefail
# xdotool turns the words it types into keys through the locale, and a
# missing or ungenerated one (no LANG, POSIX, es_ES.UTF-8 not generated)
# cannot read "montaña"; C.UTF-8 is on every Debian.
export LC_ALL=C.UTF-8

readonly WINDOW_NAME='^Sopaly!!!$'
readonly STEP_TIMEOUT=20   # seconds any single wait may take
readonly RUN_TIMEOUT=150   # seconds for the whole run, X server included

fail() {
    echo "e2e: FAIL: $*" >&2
    exit 1
}

note() { echo "e2e: $*"; }

now_ms() { echo $(($(date +%s%N) / 1000000)); }

if [[ $# -ne 1 || ! -x "$1" ]]; then
    fail "usage: $0 <sopaly executable>"
fi

# First pass: start a private X server and run this script again inside it.
if [[ "${SOPALY_E2E_UNDER_X:-}" != 1 ]]; then
    for tool in xvfb-run xdotool xdpyinfo setxkbmap import compare convert timeout; do
        command -v "$tool" >/dev/null || fail "$tool is not installed"
    done
    export SOPALY_E2E_UNDER_X=1
    # Typing through xdotool into a bare X server now and then loses a key
    # on a loaded machine; one more attempt on a fresh server tells such a
    # slip from a fault of the program, which fails both. Without -noreset
    # the server resets when its first client (the xdpyinfo probe) leaves,
    # and closes the program's connection if it comes in at that moment.
    for attempt in 1 2; do
        timeout --kill-after=10 "$RUN_TIMEOUT" \
            xvfb-run -a -n "$((100 + RANDOM % 800))" -s "-screen 0 1024x768x24 -nolisten tcp -noreset" \
            bash "$0" "$(readlink -f "$1")" && exit 0
        note "attempt $attempt failed"
    done
    exit 1
fi

# --- Second pass: under X -------------------------------------------------------

WORK=$(mktemp -d "${TMPDIR:-/tmp}/sopaly-e2e.XXXXXX")
PROGRAM_DIR="$WORK/program"
PROGRAM="$PROGRAM_DIR/$(basename "$1")"
PID=
WID=
mkdir -m 700 "$WORK/runtime" && export XDG_RUNTIME_DIR="$WORK/runtime"
# Fresh settings: what one run types must not preset the next.
mkdir "$WORK/config" "$WORK/xdg" && export XDG_CONFIG_HOME="$WORK/config" XDG_CONFIG_DIRS="$WORK/xdg"

cleanup() {
    if [[ -n "$PID" ]] && kill -0 "$PID" 2>/dev/null; then
        kill "$PID" 2>/dev/null
        sleep 0.5
        kill -9 "$PID" 2>/dev/null
    fi
    if [[ "${KEEP_E2E_WORK:-}" == 1 ]]; then
        note "work folder kept: $WORK"
    else
        rm -rf "$WORK"
    fi
}
trap cleanup EXIT

# In a sanitizer build, leaks inside the system's D-Bus library (which Qt
# opens for accessibility) are not the program's; everything else still counts.
printf 'leak:libdbus-1.so\n' >"$WORK/lsan.supp"
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$WORK/lsan.supp"

# Waits until the command succeeds, polling every 20 ms, for at most
# STEP_TIMEOUT seconds.
wait_until() {
    local deadline=$(($(now_ms) + STEP_TIMEOUT * 1000))
    until "$@" >/dev/null 2>&1; do
        (($(now_ms) < deadline)) || return 1
        sleep 0.02
    done
}

has_focus() { [[ "$(xdotool getwindowfocus 2>/dev/null)" == "${1:-$WID}" ]]; }

alive() { [[ -n "$PID" ]] && kill -0 "$PID" 2>/dev/null; }

expect_alive() { alive || fail "the program ended during: $*"; }

keys() {
    timeout "$STEP_TIMEOUT" xdotool key --clearmodifiers --delay 40 "$@" ||
        fail "xdotool key $*"
}

type_line() {
    timeout "$STEP_TIMEOUT" xdotool type --delay 30 -- "$1" || fail "xdotool type $1"
    keys Return
}

# A picture of the window, to tell whether what it shows has changed.
snapshot() {
    timeout "$STEP_TIMEOUT" import -window "$WID" "$WORK/$1.png" || fail "no screenshot $1"
}

# Waits until the window's picture differs from snapshot $1 in more than
# $2 pixels; the new picture is kept as snapshot $3.
expect_changed() {
    local before=$1 least=$2 after=$3
    local deadline=$(($(now_ms) + STEP_TIMEOUT * 1000)) differing=0
    while (($(now_ms) < deadline)); do
        snapshot "$after"
        differing=$(compare -metric AE "$WORK/$before.png" "$WORK/$after.png" null: 2>&1 || true)
        differing=${differing%% *}
        ((${differing%.*} > least)) && return 0
        sleep 0.1
    done
    fail "the window did not change enough after $before ($differing pixels)"
}

step_copy_program_folder() {
    mkdir -p "$PROGRAM_DIR" || fail "cannot make $PROGRAM_DIR"
    cp -a "$(dirname "$1")/." "$PROGRAM_DIR/" || fail "cannot copy the program folder"
    [[ -x "$PROGRAM" ]] || fail "no executable in $PROGRAM_DIR"
}

step_start() {
    # A Spanish keyboard has a key for ñ. Without one, xdotool remaps a key
    # while typing it, and a busy program may read the key before it has
    # seen the new map.
    wait_until xdpyinfo || fail "the X server does not answer"
    timeout "$STEP_TIMEOUT" setxkbmap -layout es || fail "setxkbmap"
    local started=$(now_ms)
    (cd "$WORK" && exec "$PROGRAM" >"$WORK/stdout.txt" 2>"$WORK/stderr.txt") &
    PID=$!
    wait_until xdotool search --onlyvisible --name "$WINDOW_NAME" ||
        fail "no window named Sopaly!!! within ${STEP_TIMEOUT}s (program messages:" \
            "$(head -c 2000 "$WORK/stderr.txt"))"
    local shown=$(now_ms)
    WID=$(xdotool search --onlyvisible --name "$WINDOW_NAME" | head -n 1)
    note "start to shown window: $((shown - started)) ms"
    expect_alive "start"
    # There is no window manager to give the focus: the program takes it
    # itself when it shows its window.
    wait_until has_focus || fail "the window does not get the keyboard focus"
    snapshot empty
}

step_type_words() {
    local word
    for word in casa perro sol montaña niño; do type_line "$word"; done
    expect_alive "typing words"
    expect_changed empty 200 listed
}

step_build() {
    keys alt+i
    expect_alive "Alt+I"
    expect_changed listed 500 built
}

step_finish() {
    keys alt+v
    expect_alive "Alt+V"
    expect_changed built 500 finished
}

file_complete() {
    [[ "$(tail -c 35 "$1" | od -An -v -tx1 | tr -d ' \n')" == "$(printf '2a%.0s' {1..33})0d0a" ]]
}

# Makes three puzzle files with the batch button, all from the keyboard, and
# checks each is a whole puzzle file in the program folder.
step_batch_of_three() {
    # Enter leaves the focus in the word field; five tabs from there reach
    # the number of puzzles.
    type_line luna
    keys Tab Tab Tab Tab Tab ctrl+a
    timeout "$STEP_TIMEOUT" xdotool type --delay 30 -- 3 || fail "xdotool type 3"
    keys alt+g
    local n file
    for n in 1 2 3; do
        file="$PROGRAM_DIR/Tabloza$n.txt"
        wait_until test -s "$file" || fail "no $file"
    done
    # A file is complete once its closing line of asterisks is in.
    wait_until file_complete "$PROGRAM_DIR/Tabloza3.txt" || fail "Tabloza3.txt is not complete"
    sleep 1
    expect_alive "the batch run"
    [[ ! -e "$PROGRAM_DIR/Tabloza4.txt" ]] || fail "a fourth file was written"
    for n in 1 2 3; do
        file="$PROGRAM_DIR/Tabloza$n.txt"
        # 20 + 20 grid rows, the six words and sixteen fixed lines, CR LF each.
        local lines
        lines=$(grep -c $'\r$' "$file")
        ((lines == 62)) || fail "$file has $lines CR LF lines, not 62"
        head -n 1 "$file" | grep -q '^Sopaly!!! by ' || fail "$file has no banner line"
        grep -q $'^MONTA\xd1A\r$' "$file" || fail "$file lacks MONTAÑA in Windows-1252"
    done
}

window_position() {
    xdotool getwindowgeometry --shell "$1" | sed -n 's/^[XY]=//p' | paste -sd, -
}

at_position() { [[ "$(window_position "$1")" == "$2" ]]; }

# Opens the about window from the menu with the mouse, after moving the main
# window away, and comes back with a click on the about window: the main
# window is active and centred again.
step_about_by_mouse() {
    local centred moved=10,20 about
    centred=$(window_position "$WID")
    timeout "$STEP_TIMEOUT" xdotool windowmove "$WID" 10 20 || fail "xdotool windowmove"
    wait_until at_position "$WID" "$moved" || fail "the window did not move to $moved"
    # "Acerca de..." is the last title of the menu bar: the dark pixels of
    # the bar's text end within it. Its item "About..." lies just below.
    snapshot menubar
    local titles_end
    titles_end=$(convert "$WORK/menubar.png" -crop 600x12+0+3 +repage -negate -threshold 50% \
        -trim -format '%[fx:page.x+w]' info:) || fail "no menu bar in the window"
    ((titles_end > 40)) || fail "the menu titles end at $titles_end"
    timeout "$STEP_TIMEOUT" xdotool mousemove --window "$WID" $((titles_end - 20)) 9 click 1 ||
        fail "click on the menu"
    sleep 0.5
    timeout "$STEP_TIMEOUT" xdotool mousemove --window "$WID" $((titles_end - 20)) 30 click 1 ||
        fail "click on About..."
    wait_until xdotool search --onlyvisible --name '^ddddddd$' || fail "no about window"
    about=$(xdotool search --onlyvisible --name '^ddddddd$' | head -n 1)
    wait_until has_focus "$about" || fail "the about window is not active"
    expect_alive "the about window"
    # Its black background, below the movie and left of "Click para continuar...".
    timeout "$STEP_TIMEOUT" xdotool mousemove --window "$about" 20 325 click 1 ||
        fail "click on the about window"
    wait_until has_focus || fail "the main window is not active again"
    wait_until at_position "$WID" "$centred" ||
        fail "the main window is at $(window_position "$WID"), not centred at $centred"
}

step_exit() {
    keys alt+x
    local deadline=$(($(now_ms) + STEP_TIMEOUT * 1000))
    while alive && (($(now_ms) < deadline)); do sleep 0.05; done
    alive && fail "the program still runs after Alt+X"
    wait "$PID"
    local status=$?
    PID=
    ((status == 0)) || fail "the program ended with status $status"
    [[ ! -s "$WORK/stderr.txt" ]] || note "program messages: $(head -c 2000 "$WORK/stderr.txt")"
}

STEPS=(
    step_copy_program_folder
    step_start
    step_type_words
    step_build
    step_finish
    step_batch_of_three
    step_about_by_mouse
    step_exit
)

for step in "${STEPS[@]}"; do
    note "$step"
    "$step" "$1"
done
note "passed"
