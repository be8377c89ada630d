#!/bin/bash
# The shipped PNG icons are renderings of sopaly.svg: one that was not made
# again after a change of the picture fails here.
#
#   icons_match_svg.sh <assets folder>
set -uo pipefail
for tool in rsvg-convert compare; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
assets=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for size in 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$assets/sopaly.svg" -o "$work/$size.png" || exit 1
    # A pixel or two of rounding between renderer versions is no change.
    differing=$(compare -metric AE -fuzz 3% "$assets/icons/sopaly-$size.png" "$work/$size.png" null: 2>&1)
    if [[ "${differing%% *}" != 0 ]] && ((${differing%%[. ]*} > 2)); then
        echo "icons/sopaly-$size.png differs from sopaly.svg in $differing pixels (scripts/make-assets.sh)"
        status=1
    fi
done
exit $status
