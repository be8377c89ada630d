#!/bin/bash
# The play window as a screen reader meets it: the real program under a
# bare X server with the accessibility bus, a puzzle built and opened with
# the keys, and atspi_play.py reading and solving it through AT-SPI.
#
#   atspi_play.sh <sopaly executable> [folder to keep screenshots in]
set -uo pipefail
export LC_ALL=C.UTF-8
here=$(dirname "$(readlink -f "$0")")

fail() { echo "atspi: FAIL: $*" >&2; exit 1; }

[[ $# -ge 1 && -x "$1" ]] || fail "usage: $0 <sopaly executable> [shots folder]"

if [[ "${SOPALY_ATSPI_UNDER_X:-}" != 1 ]]; then
    for tool in xvfb-run xdotool dbus-run-session timeout; do
        command -v "$tool" >/dev/null || fail "$tool is not installed"
    done
    [[ -x /usr/libexec/at-spi-bus-launcher ]] || fail "at-spi2-core is not installed"
    /usr/bin/python3 -c "import pyatspi" 2>/dev/null || fail "python3-pyatspi is not installed"
    export SOPALY_ATSPI_UNDER_X=1
    exec timeout --kill-after=10 150 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
        dbus-run-session -- bash "$0" "$(readlink -f "$1")" "${2:-}"
fi

WORK=$(mktemp -d "${TMPDIR:-/tmp}/sopaly-atspi.XXXXXX")
PIDS=()
cleanup() {
    local pid
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    rm -rf "$WORK"
}
trap cleanup EXIT
mkdir -m 700 "$WORK/runtime" "$WORK/config" "$WORK/xdg"
export XDG_RUNTIME_DIR="$WORK/runtime" XDG_CONFIG_HOME="$WORK/config" XDG_CONFIG_DIRS="$WORK/xdg"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0

/usr/libexec/at-spi-bus-launcher --launch-immediately &
PIDS+=($!)
for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>&1 && break
    sleep 0.1
done

mkdir "$WORK/program" && cp -a "$(dirname "$1")/." "$WORK/program/"
# The check starts the program itself, once it listens to the registry.
/usr/bin/python3 "$here/atspi_play.py" "$WORK/program/$(basename "$1")" "${2:-}" ||
    { head -c 3000 "$WORK/stderr.txt" >&2; exit 1; }
