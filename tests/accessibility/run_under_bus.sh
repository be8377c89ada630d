#!/bin/bash
# Runs an AT-SPI check of the program as a screen reader meets it: a private
# X server and session bus, the accessibility bus on it, Qt's bridge on.
#   run_under_bus.sh <check.py> <sopaly executable>
set -uo pipefail
if [[ "${SOPALY_ATSPI_UNDER_BUS:-}" != 1 ]]; then
    export SOPALY_ATSPI_UNDER_BUS=1
    exec timeout --kill-after=10 150 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" \
        dbus-run-session -- bash "$0" "$(readlink -f "$1")" "$(readlink -f "$2")"
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
/usr/libexec/at-spi-bus-launcher --launch-immediately &
trap 'kill $! 2>/dev/null' EXIT
# Debian's own Python, which has pyatspi, whatever python3 comes first on PATH.
/usr/bin/python3 "$1" "$2"
