#!/bin/sh
# Regenerates the program's pictures in assets/ from nothing but ImageMagick,
# the Liberation fonts and librsvg's rsvg-convert, so no binary file in the
# tree has to be taken on trust:
#   S.g          the standby banner (animated GIF, 473 x 65, loops)
#   bovedal.swf  the about window's movie (animated GIF, 377 x 257, plays once)
#   sensor.png   the pointer over the banner (32 x 32, fingertip at 12, 1)
#   u.t, p.t     empty banner lists, so a fresh install fetches nothing
#   icons/sopaly-N.png  the desktop icon at 48, 64, 128 and 256 px, rendered
#                from sopaly.svg (the 32 x 32 window icon sopaly.png is drawn
#                by hand, pixel by pixel, from the same picture)
# Usage: scripts/make-assets.sh [output folder, default: assets/]
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../assets}
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# --- sensor.png: a pointing hand, black outline, white inside -------------
convert -size 32x32 xc:none +antialias -stroke black -strokewidth 1 -fill white \
    -draw "roundrectangle 5,13 27,30 4,4" \
    -draw "roundrectangle 14,11 18,20 2,2" \
    -draw "roundrectangle 18,12 22,20 2,2" \
    -draw "roundrectangle 22,13 26,21 2,2" \
    -draw "roundrectangle 9,1 15,20 3,3" \
    -stroke none -draw "rectangle 10,14 14,21" \
    -strip -define png:exclude-chunks=date,time "$out/sensor.png"

# --- S.g: "Sopaly!!!" slides in from the right, then blinks ---------------
banner_frame() { # colour x subtitle(0/1) output
    if [ "$3" = 1 ]; then
        convert -size 473x65 xc:'#10206a' -font Liberation-Sans-Bold -pointsize 42 \
            -fill "$1" -annotate "+$2+44" 'Sopaly!!!' \
            -font Liberation-Sans -pointsize 13 -fill '#9fb4ff' \
            -annotate "+$(($2 + 2))+61" 'sopa de letras' "$4"
    else
        convert -size 473x65 xc:'#10206a' -font Liberation-Sans-Bold -pointsize 42 \
            -fill "$1" -annotate "+$2+44" 'Sopaly!!!' "$4"
    fi
}
i=0
for x in 480 400 320 240 160 148; do
    banner_frame '#ffd400' "$x" 0 "$work/s$i.gif"
    i=$((i + 1))
done
for c in '#ffffff' '#ffd400' '#ffffff' '#ffd400'; do
    banner_frame "$c" 148 1 "$work/s$i.gif"
    i=$((i + 1))
done
convert -delay 12 "$work"/s[0-5].gif -delay 50 "$work"/s[6-9].gif -loop 0 \
    +dither -layers Optimize -strip "gif:$out/S.g"

# --- bovedal.swf: a letter grid in which the word SOPALY lights up --------
rows="QWERTMNBV XKALOPZUY TRSOPALYD HJGWEFIRN CXBUMVLTK QEZHODJRA"
grid_frame() { # lit-letter-count output [extra drawing...]
    lit=$1
    target=$2
    shift 2
    set -- -size 377x257 xc:black -font Liberation-Mono-Bold -pointsize 22 "$@"
    r=0
    for row in $rows; do
        c=0
        while [ $c -lt 9 ]; do
            ch=$(printf %s "$row" | cut -c$((c + 1)))
            colour='#6a7a9a'
            if [ $r -eq 2 ] && [ $c -ge 2 ] && [ $((c - 2)) -lt "$lit" ]; then
                colour='#ffd400'
            fi
            set -- "$@" -fill "$colour" -annotate "+$((53 + c * 32))+$((44 + r * 32))" "$ch"
            c=$((c + 1))
        done
        r=$((r + 1))
    done
    convert "$@" "$target"
}
box="roundrectangle 104,85 302,118 10,10"
n=0
while [ $n -le 6 ]; do
    grid_frame $n "$work/m$n.gif"
    n=$((n + 1))
done
grid_frame 6 "$work/m7.gif"
convert "$work/m7.gif" -fill none -stroke '#ff5a36' -strokewidth 3 -draw "$box" "$work/m7.gif"
convert "$work/m7.gif" -stroke none -fill white -font Liberation-Sans-Bold -pointsize 26 \
    -annotate +128+243 'Sopaly!!!' "$work/m8.gif"
# "-loop 1" leaves out the looping block, so players show it once.
convert -delay 40 "$work/m0.gif" -delay 22 "$work"/m[1-6].gif -delay 40 "$work/m7.gif" \
    -delay 120 "$work/m8.gif" -loop 1 +dither -layers Optimize -strip "gif:$out/bovedal.swf"

# --- empty banner lists -----------------------------------------------------
: >"$out/u.t"
: >"$out/p.t"

# --- desktop icons from the scalable one -------------------------------------
mkdir -p "$out/icons"
for size in 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$here/../assets/sopaly.svg" -o "$work/icon.png"
    convert "$work/icon.png" -strip -define png:exclude-chunks=date,time \
        "$out/icons/sopaly-$size.png"
done

ls -l "$out/S.g" "$out/bovedal.swf" "$out/sensor.png" "$out/u.t" "$out/p.t" "$out"/icons/*.png
