#!/bin/bash
# Runs a Python AT-SPI check of the program as a screen reader meets it: a
# private X server, a private session bus with the accessibility bus on it,
# and Qt's accessibility bridge switched on.
#
#   run_under_bus.sh <check.py> <sopaly executable>
set -uo pipefail
if [[ $# -ne 2 ]]; then
    echo "usage: $0 <check.py> <sopaly executable>" >&2
    exit 2
fi
if [[ "${SOPALY_ATSPI_UNDER_BUS:-}" != 1 ]]; then
    for tool in xvfb-run dbus-run-session timeout; do
        command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
    done
    export SOPALY_ATSPI_UNDER_BUS=1
    exec timeout --kill-after=10 150 xvfb-run -a -n "$((100 + RANDOM % 800))" \
        -s "-screen 0 1024x768x24 -nolisten tcp -noreset" \
        dbus-run-session -- bash "$0" "$(readlink -f "$1")" "$(readlink -f "$2")"
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0 GTK_MODULES=
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
trap 'kill "$launcher" 2>/dev/null' EXIT
# Debian's own Python: pyatspi is a Debian package, not in a virtual environment.
/usr/bin/python3 "$1" "$2"
