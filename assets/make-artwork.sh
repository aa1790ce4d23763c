#!/bin/sh
# Regenerates every PNG in this folder (the build compiles assets/*.png in),
# and the application icon for the desktop menu under icons/hicolor/.
# Every picture is drawn twice: NAME.png at its own size and NAME@2x.png at
# twice the size, from the same design, for screens scaled to 150 % and more.
# Needs ImageMagick 6 (convert) and the Comic Neue font (fonts-comic-neue).
# Usage: make-artwork.sh [output-dir]   (default: the folder holding this script)
#
# Look: an arcade cabinet at night - near-black indigo, magenta/cyan/amber
# neon tubes, chrome lettering, faint scanlines. Everything busy stays at the
# edges so the black controls and white labels in the window stay readable.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here}
mkdir -p "$out"

command -v convert >/dev/null 2>&1 || { echo "convert (ImageMagick) not found" >&2; exit 1; }

font_file() {
    f=$(fc-match -f '%{file}' "$1")
    case $f in
        *ComicNeue*) printf '%s\n' "$f" ;;
        *) echo "font '$1' not installed (need fonts-comic-neue)" >&2; exit 1 ;;
    esac
}
BOLD=$(font_file 'Comic Neue:style=Bold')
BOLDIT=$(font_file 'Comic Neue:style=Bold Italic')

# Scratch space; set ARTWORK_KEEP=1 to keep it for a look at the stages.
T=$(mktemp -d)
if [ -n "${ARTWORK_KEEP:-}" ]; then
    echo "scratch files kept in $T" >&2
else
    trap 'rm -rf "$T"' EXIT
    trap 'exit 1' INT TERM
fi

# Palette.
MAG='#ff2bd6'   # magenta tube
CYA='#22e6ff'   # cyan tube
AMB='#ffb000'   # amber tube
INK='#0a0716'   # outline / shadow ink

# --- helpers --------------------------------------------------------------
# Every picture is drawn by a function of the scale S (1 or 2): sizes, font
# sizes, blur radii and coordinates are given at 1x and multiplied by S.

# Write $1 to $out/$2 without timestamps so reruns are byte-identical.
# $3: 24 for opaque pictures, 32 (default) for ones with transparency.
save() {
    convert "$1" -strip -define png:exclude-chunks=date,time \
        "PNG${3:-32}:$out/$2"
}

# The file name of picture $1 at the current scale: name.png or name@2x.png.
named() {
    if [ "$S" -eq 1 ]; then printf '%s.png\n' "$1"; else printf '%s@%sx.png\n' "$1" "$S"; fi
}

# A length given at 1x, at the current scale (may be fractional).
r() {
    awk -v a="$1" -v s="$S" 'BEGIN { printf "%g", a * s }'
}

# Drawing prefix that maps 1x coordinates onto the current scale, pixel
# centre onto the centre of its SxS block (strokes widen with it).
aff() {
    awk -v s="$S" 'BEGIN { o = (s - 1) / 2; printf "affine %g,0,0,%g,%g,%g", s, s, o, o }'
}

# Whole-pixel rectangles given at 1x (inclusive corners x1 y1 x2 y2 ...),
# each covering exactly its SxS blocks at the current scale.
rects() {
    echo "$@" | awk -v s="$S" '{
        for (i = 1; i + 3 <= NF; i += 4)
            printf "rectangle %d,%d %d,%d ", $i * s, $(i + 1) * s, $(i + 2) * s + s - 1, $(i + 3) * s + s - 1 }'
}

# Single pixels given at 1x (x y ...), as SxS blocks.
dots() {
    echo "$@" | awk '{ for (i = 1; i + 1 <= NF; i += 2) printf "%s %s %s %s ", $i, $(i + 1), $i, $(i + 1) }' |
        { read -r d; rects "$d"; }
}

# White-on-black ink of some text, trimmed to the ink.  font size text out [kerning]
# (size and kerning at 1x)
ink() {
    convert -background black -fill white -font "$1" -pointsize "$(r "$2")" \
        -kerning "$(r "${5:-0}")" label:"$3" -trim +repage "$4"
}

# Paste mask $1 onto a black WxH canvas, its centre offset by dx,dy from the
# canvas centre.  mask W H dx dy out  (all in pixels at the current scale)
place() {
    convert -size "$2x$3" xc:black "$1" -gravity center \
        -geometry "$(printf '%+d%+d' "$4" "$5")" -compose Lighten -composite \
        +repage "$6"
}

# Size and ink box of a mask: sets IW IH (image), BW BH (ink size), BY (ink top).
box() {
    b=$(convert "$1" -format '%w %h %@' info:)
    IW=${b%% *}; b=${b#* }
    IH=${b%% *}; b=${b#* }
    BW=${b%%x*}; b=${b#*x}
    BH=${b%%+*}; b=${b#*+}
    BY=${b#*+}
}

# Vertical "chrome" fill for lettering whose ink spans rows top..top+h:
# sky above the horizon line, dark-to-hot below it (small lettering asks for
# a lighter horizon so it stays legible).  W H top h out [horizon-colour]
chrome() {
    up=$(( $4 * 52 / 100 )); dn=$(( $4 - up ))
    convert -size "1x$up" gradient:'#ffffff-#9eeaff' \
        -size "1x$dn" gradient:"${6:-#3a1262}-#ff8ce6" -append \
        -background '#ffffff' -gravity north -splice "0x$3" \
        -background '#ff8ce6' -gravity south -splice "0x$(( $2 - $3 - $4 ))" \
        +gravity -crop "1x$2+0+0" +repage -scale "$1x$2!" "$5"
}

# Neon tube from a mask: coloured glow round a whitened core, on transparency.
# colour is anything convert reads at the mask's size (xc:#rrggbb, a file).
# mask colour glow-radius(1x) glow-level(%) out [core-whiteness(%)]
neon() {
    wh=$(identify -format '%wx%h' "$1")
    convert "$1" \( +clone -blur "0x$(r "$3")" -level "0,$4%" \) \
        -compose Lighten -composite "$T/neon_a.png"
    convert -size "$wh" "$2" \( "$1" +level "0,${6:-70}%" \) \
        -compose Screen -composite \
        "$T/neon_a.png" -alpha off -compose CopyOpacity -composite "$5"
}

# Chrome lettering: chrome fill, dark rim, neon halo, on transparency.
# mask halo-colour halo-radius(1x) halo-level(%) out [horizon-colour]
chrome_text() {
    box "$1"
    chrome "$IW" "$IH" "$BY" "$BH" "$T/ct_fill.png" "${6:-#3a1262}"
    convert "$1" -morphology Dilate "Disk:$(r 1)" "$T/ct_rim.png"
    convert "$1" -morphology Dilate "Disk:$(r 1.5)" -blur "0x$(r "$3")" -level "0,$4%" "$T/ct_halo.png"
    tint "$IW" "$IH" "$2" "$T/ct_halo.png" "$T/ct_l1.png"
    tint "$IW" "$IH" '#14061f' "$T/ct_rim.png" "$T/ct_l2.png"
    convert "$T/ct_fill.png" "$1" -alpha off -compose CopyOpacity -composite "$T/ct_l3.png"
    convert "$T/ct_l1.png" "$T/ct_l2.png" -compose Over -composite \
        "$T/ct_l3.png" -compose Over -composite "$5"
}

# Dark outline (radius r at 1x) and a soft drop shadow under an RGBA picture,
# so it reads on the grey tab backs as well as on black.  in r out
outline() {
    wh=$(identify -format '%wx%h' "$1")
    convert "$1" -alpha extract -morphology Dilate "Disk:$(r "$2")" "$T/ol_m.png"
    convert "$T/ol_m.png" -blur "0x$(r 1.5)" +level '0,55%' -roll "+$S+$((2 * S))" \
        "$T/ol_m.png" -compose Lighten -composite "$T/ol_a.png"
    convert -size "$wh" xc:"$INK" "$T/ol_a.png" -alpha off \
        -compose CopyOpacity -composite \
        "$1" -compose Over -composite "$3"
}

# Apply a greyscale mask as the alpha of a solid colour.  W H colour mask out
tint() {
    convert -size "$1x$2" xc:"$3" "$4" -alpha off \
        -compose CopyOpacity -composite "$5"
}

# Scanline multiplier tile: every third row a little darker.  W H depth(%) out
scanlines() {
    convert -size 1x1 xc:white xc:white xc:"gray($3%)" -append -scale "1x$((3 * S))!" \
        -write mpr:scan +delete -size "$1x$2" tile:mpr:scan "$4"
}

# --- background.png 640x480 ----------------------------------------------
# Quiet indigo glow in the middle, a neon tube frame along the edges with
# amber caps on the corners, and a faint perspective grid along the bottom
# (y 414..472).  Inside x 8..631, y 36..410 it is plain dark indigo: that is
# where the controls and labels go.
background() {
    W=$((640 * S)) H=$((480 * S)) A=$(aff)
    FRAME="roundrectangle 5,33 634,474 10,10"

    convert -size ${W}x${H} radial-gradient:'#17103c-#040309' "$T/bg_base.png"
    scanlines $W $H 78 "$T/scan.png"
    convert "$T/bg_base.png" "$T/scan.png" -compose Multiply -composite "$T/bg.png"

    # The tubes change colour left to right: magenta into cyan.
    convert -size ${H}x${W} gradient:"$MAG-$CYA" -rotate -90 "$T/ramp.png"

    # Grid: rays from a vanishing point below the window's middle, rows closing
    # up towards the horizon, fading out upwards.
    GTOP=414 GBOT=472 VX=320 VY=362
    grid=$(awk -v vx=$VX -v vy=$VY -v top=$GTOP -v bot=$GBOT 'BEGIN {
        for (i = -16; i <= 16; i++) {
            x = vx + i * 58
            printf "line %.1f,%d %.1f,%d ", vx + (x - vx) * (top - vy) / (bot - vy), top, x, bot
        }
        for (k = 0; k <= 12; k++) {
            y = vy + (bot - vy) / (1 + k * 0.22)
            if (y >= top) printf "line 0,%.1f 640,%.1f ", y, y
        }
    }')
    convert -size ${W}x${H} xc:black -fill none -stroke white -strokewidth 1 \
        -draw "$A $grid" "$T/grid_l.png"
    convert -size 1x$(((GBOT - GTOP) * S)) gradient:'black-gray(50%)' \
        -background black -gravity north -extent 1x$(((480 - GTOP) * S)) \
        -gravity south -extent 1x$H +gravity -scale ${W}x${H}! "$T/grid_fade.png"
    convert -size ${W}x${H} xc:black -fill white -draw "$A $FRAME" -blur "0x$(r 1)" "$T/inside.png"
    convert "$T/grid_l.png" "$T/grid_fade.png" -compose Multiply -composite \
        "$T/inside.png" -compose Multiply -composite "$T/grid_m.png"
    convert "$T/ramp.png" "$T/grid_m.png" -compose Multiply -composite "$T/grid_c.png"
    convert "$T/bg.png" "$T/grid_c.png" -compose Screen -composite "$T/bg.png"

    # Frame tube.
    convert -size ${W}x${H} xc:black -fill none -stroke white -strokewidth 2 \
        -draw "$A $FRAME" "$T/frame_m.png"
    neon "$T/frame_m.png" "$T/ramp.png" 5 55 "$T/frame_n.png" 35
    convert "$T/bg.png" "$T/frame_n.png" -compose Over -composite "$T/bg.png"

    # Amber caps riding the frame's corners, like the trim on a cabinet.
    # (Square cut-outs of a thick copy of the frame, with round ends added.)
    convert -size ${W}x${H} xc:black -fill none -stroke white -strokewidth 4 -draw "$A $FRAME" \
        \( -size ${W}x${H} xc:black -fill white \
           -draw "$(rects 0 28 28 56 611 28 639 56 0 451 28 479 611 451 639 479)" \) \
        -compose Multiply -composite \
        -fill white -stroke none \
        -draw "$A circle 28,33 30,33 circle 5,56 7,56 circle 611,33 613,33 circle 634,56 636,56" \
        -draw "$A circle 28,474 30,474 circle 5,451 7,451 circle 611,474 613,474 circle 634,451 636,451" \
        "$T/caps_m.png"
    neon "$T/caps_m.png" "xc:$AMB" 4 50 "$T/caps_n.png" 40
    convert "$T/bg.png" "$T/caps_n.png" -compose Over -composite "$T/bg.png"
    save "$T/bg.png" "$(named background)" 24
}

# --- joystick emblem (title strip, icons) ---------------------------------
# Drawn on a DxD grid (D a multiple of 128: 32 px at 4x and up); users shrink
# it.  Magenta ball on top, chrome shaft, dark base with a cyan rim.  D out
joystick() {
    k=$(awk -v d="$1" 'BEGIN { printf "%g", d / 128 }')
    a="affine $k,0,0,$k,0,0"
    sw=$(awk -v k="$k" 'BEGIN { printf "%d", 14 * k }')
    sh=$(awk -v k="$k" 'BEGIN { printf "%d", 70 * k }')
    sx=$(awk -v k="$k" 'BEGIN { printf "%d", 18 * k }')
    convert -size "$1x$1" xc:none \
        -fill '#1b1433' -stroke "$CYA" -strokewidth 5 \
        -draw "$a ellipse 64,104 50,16 0,360" \
        -stroke none -fill '#0c0a18' -draw "$a ellipse 64,100 30,8 0,360" \
        \( -size "${sw}x$sh" gradient:'#f4f4ff-#6f6a8a' -rotate 90 -scale "${sw}x$sh!" \
           -background none -gravity center -extent "${sx}x$sh" \) \
        -gravity northwest -geometry "$(awk -v k="$k" 'BEGIN { printf "+%d+%d", 55 * k, 32 * k }')" -composite \
        \( -size "$1x$1" xc:none -fill '#8a0f72' -draw "$a circle 64,36 64,4" \
           -fill "$MAG" -draw "$a circle 62,34 62,8" \
           -fill '#ff9bea' -draw "$a circle 56,26 56,16" \
           -fill '#ffffff' -draw "$a ellipse 53,22 6,4 0,360" \) \
        -composite "$2"
}

# --- titlestrip.png 640x27 ------------------------------------------------
# Glossy dark bar, neon line along the bottom, joystick emblem over the menu
# click spot (x 8..33), chrome "Tavrel" from x=40, retro stripes fading out
# well before the two buttons on the right (x 590..634).
titlestrip() {
    W=$((640 * S)) H=$((27 * S))
    convert -size ${W}x${H} gradient:'#24185a-#07050f' \
        \( -size ${W}x$((13 * S)) gradient:'rgba(255,255,255,0.10)-rgba(255,255,255,0.02)' \) \
        -gravity north -compose Over -composite +gravity \
        -fill '#5a48a8' -draw "$(rects 0 0 639 0)" "$T/ts.png"
    scanlines $W $H 85 "$T/ts_scan.png"
    convert "$T/ts.png" "$T/ts_scan.png" -compose Multiply -composite "$T/ts.png"

    # Bottom tube, glowing upwards.
    convert -size ${W}x${H} xc:black -fill white -draw "$(rects 0 26 639 26)" "$T/ts_line.png"
    convert "$T/ramp.png" -scale ${W}x${H}! "$T/ts_ramp.png"
    neon "$T/ts_line.png" "$T/ts_ramp.png" 2.5 60 "$T/ts_line_n.png" 40
    convert "$T/ts.png" "$T/ts_line_n.png" -compose Over -composite "$T/ts.png"

    # Three hairline stripes (magenta, amber, cyan) that fade in and out.
    convert -size ${W}x${H} xc:black -fill white \
        -draw "$(rects 116 10 566 10 116 13 566 13 116 16 566 16)" \
        \( -size ${W}x1 xc:black -fx "min(max((i/$S-116)/40,0),1)*min(max((566-i/$S)/410,0),1)" \
           -scale ${W}x${H}! \) \
        -compose Multiply -composite -level 0,150% "$T/st_m.png"
    convert -size ${W}x${H} xc:black \
        -fill "$MAG" -draw "$(rects 0 9 639 11)" -fill "$AMB" -draw "$(rects 0 12 639 14)" \
        -fill "$CYA" -draw "$(rects 0 15 639 17)" "$T/st_col.png"
    neon "$T/st_m.png" "$T/st_col.png" 1 50 "$T/st_n.png" 15
    convert "$T/ts.png" "$T/st_n.png" -compose Over -composite "$T/ts.png"

    # Emblem.
    convert "$T/stick128.png" -filter box -resize $((24 * S))x$((24 * S)) "$T/stick24.png"
    convert "$T/ts.png" "$T/stick24.png" -geometry +$((9 * S))+$S -compose Over -composite "$T/ts.png"

    # Name.
    ink "$BOLDIT" 21 Tavrel "$T/tn_ink.png" 1
    box "$T/tn_ink.png"
    convert -size ${W}x${H} xc:black "$T/tn_ink.png" -geometry +$((41 * S))+$(( (H - S - BH) / 2 )) \
        -compose Lighten -composite "$T/tn_m.png"
    chrome_text "$T/tn_m.png" "$MAG" 2 70 "$T/tn.png" '#d77cf0'
    convert "$T/ts.png" "$T/tn.png" -compose Over -composite "$T/ts.png"
    save "$T/ts.png" "$(named titlestrip)" 24
}

# --- logo.png 210x43 ------------------------------------------------------
# The wordmark: spaced-out chrome capitals in a magenta halo, transparent.
logo() {
    W=$((210 * S)) H=$((43 * S))
    ink "$BOLDIT" 44 TAVREL "$T/lg_ink.png" 9
    place "$T/lg_ink.png" $W $H 0 0 "$T/lg_m.png"
    chrome_text "$T/lg_m.png" "$MAG" 2.5 80 "$T/lg.png"
    save "$T/lg.png" "$(named logo)"
}

# --- banner.png 577x134 ---------------------------------------------------
# About-panel banner: night sky, a striped sunset sun on the horizon, neon grid
# floor, the chrome wordmark across the sun and the tagline in cyan.
banner() {
    W=$((577 * S)) H=$((134 * S)) HZ=96 A=$(aff)
    convert -size ${W}x$((HZ * S)) gradient:'#05030d-#3b0d52' \
        -background black -gravity north -extent ${W}x${H} +gravity "$T/bn.png"

    # A handful of stars, placed by hand so they stay out of the lettering.
    convert "$T/bn.png" -fill '#ffffff' \
        -draw "$(dots 22 14 61 37 104 9 139 55 33 70 470 12 512 41 548 18 433 60 560 72)" \
        -fill '#9eeaff' \
        -draw "$(dots 78 22 18 48 495 26 540 57)" \
        "$T/bn.png"
    convert -size ${W}x${H} xc:black -fill white \
        -draw "$(rects 78 21 78 23 77 22 79 22 495 25 495 27 494 26 496 26)" \
        -blur "0x$(r 0.7)" "$T/bn_sp.png"
    neon "$T/bn_sp.png" "xc:$CYA" 2 60 "$T/bn_spn.png" 60
    convert "$T/bn.png" "$T/bn_spn.png" -compose Over -composite "$T/bn.png"

    # Scanlines on the sky only: sun, grid and lettering stay crisp.
    scanlines $W $H 75 "$T/bn_scan.png"
    convert "$T/bn.png" "$T/bn_scan.png" -compose Multiply -composite "$T/bn.png"

    # Sun: amber to hot pink, sliced by slits that widen towards the horizon.
    SR=60 SX=288
    slits=$(awk -v hz=$HZ 'BEGIN {
        for (k = 0; k < 5; k++) { y = hz - 42 + k * 9; printf "rectangle 0,%.1f 577,%.1f ", y, y + 1.5 + k * 1.2 } }')
    convert -size ${W}x${H} xc:black -fill white -draw "$A circle $SX,$HZ $SX,$((HZ - SR))" \
        -fill black -draw "$(rects 0 $HZ 577 134)" "$T/sun_disc.png"
    convert "$T/sun_disc.png" -fill black -draw "$A $slits" "$T/sun_m.png"
    convert -size ${W}x$(((SR + 2) * S)) gradient:'#ffe14a-#ff2b8a' -background black \
        -gravity north -splice 0x$(((HZ - SR - 1) * S)) -extent ${W}x${H} +gravity "$T/sun_c.png"
    convert "$T/sun_disc.png" -blur "0x$(r 10)" -level 0,250% "$T/sun_glow_a.png"
    convert "$T/sun_c.png" "$T/sun_glow_a.png" -alpha off -compose CopyOpacity -composite "$T/sun_glow.png"
    convert "$T/sun_c.png" "$T/sun_m.png" -alpha off -compose CopyOpacity -composite "$T/sun.png"
    convert "$T/bn.png" "$T/sun_glow.png" -compose Over -composite \
        "$T/sun.png" -compose Over -composite "$T/bn.png"

    # Floor grid under the horizon.
    grid=$(awk -v vx=$SX -v hz=$HZ -v bot=134 'BEGIN {
        for (i = -14; i <= 14; i++) printf "line %d,%d %d,%d ", vx + i * 8, hz, vx + i * 64, bot + 40
        for (k = 0; k < 12; k++) { y = hz + 2.5 * k * k * 0.5 + 2 * k; if (y < bot) printf "line 0,%.1f 577,%.1f ", y, y }
    }')
    convert -size ${W}x${H} xc:black -fill none -stroke white -strokewidth 1 -draw "$A $grid" \
        \( -size ${W}x$S xc:black -size ${W}x$(((134 - HZ) * S)) gradient:'gray(30%)-gray(75%)' -append \
           -background black -gravity south -extent ${W}x${H} +gravity \) \
        -compose Multiply -composite "$T/bn_gm.png"
    neon "$T/bn_gm.png" "xc:$MAG" 1.5 160 "$T/bn_g.png" 10
    convert "$T/bn.png" "$T/bn_g.png" -compose Over -composite "$T/bn.png"
    # Horizon tube.
    convert -size ${W}x${H} xc:black -fill white -draw "$(rects 0 $HZ 577 $HZ)" "$T/bn_hz.png"
    neon "$T/bn_hz.png" "xc:$MAG" 3 70 "$T/bn_hzn.png" 50
    convert "$T/bn.png" "$T/bn_hzn.png" -compose Over -composite "$T/bn.png"

    # Wordmark and tagline on top.
    ink "$BOLDIT" 86 TAVREL "$T/bt_ink.png" 12
    place "$T/bt_ink.png" $W $H 0 $((-14 * S)) "$T/bt_m.png"
    chrome_text "$T/bt_m.png" "$MAG" 4 85 "$T/bt.png"
    convert "$T/bn.png" "$T/bt.png" -compose Over -composite "$T/bn.png"

    ink "$BOLD" 19 'ARCADE  LAUNCHER' "$T/tg_ink.png" 5
    place "$T/tg_ink.png" $W $H 0 $((49 * S)) "$T/tg_m.png"
    convert "$T/tg_m.png" -morphology Dilate "Disk:$(r 3)" -blur "0x$(r 2)" "$T/tg_dark.png"
    tint $W $H black "$T/tg_dark.png" "$T/tg_d.png"
    neon "$T/tg_m.png" "xc:$CYA" 3 60 "$T/tg_n.png" 55
    convert "$T/bn.png" "$T/tg_d.png" -compose Over -composite \
        "$T/tg_n.png" -compose Over -composite "$T/bn.png"
    save "$T/bn.png" "$(named banner)" 24
}

# --- tab pictures (transparent; the tab's grey back shows through) --------

# Game cartridge, 4x: indigo shell with grip ridges, hot label, gold contacts.
cartridge() {
    convert -size 96x112 xc:none \
        -fill '#e0b040' -draw "rectangle 22,94 74,110" \
        -fill '#6a4a10' -draw "rectangle 30,99 31,110 rectangle 39,99 40,110 rectangle 48,99 49,110 rectangle 57,99 58,110 rectangle 66,99 67,110" \
        -fill '#463c9c' -draw "roundrectangle 8,4 88,100 10,10" \
        -fill '#6c62d0' -draw "rectangle 12,8 16,96" \
        -fill '#8f86ee' -draw "rectangle 24,11 72,13 rectangle 24,18 72,20 rectangle 24,25 72,27" \
        \( -size 60x54 gradient:"$AMB-$MAG" \) -geometry +18+36 -compose Over -composite \
        -fill '#ffffff' -draw "rectangle 26,46 70,51" -fill '#fff3c4' -draw "rectangle 26,58 54,61" \
        "$T/cart128.png"
}

# Gear, 4x: steel-cyan, eight teeth, a magenta ball for a hub.
gear() {
    gear=$(awk 'BEGIN { pi = atan2(0, -1); n = 8; ro = 52; ri = 40; cx = 56; cy = 56
        for (t = 0; t < n; t++) {
            a = 2 * pi * t / n
            split("-0.30 -0.17 0.17 0.30", d, " ")
            printf "%.1f,%.1f %.1f,%.1f %.1f,%.1f %.1f,%.1f ", \
                cx + ri * cos(a + d[1]), cy + ri * sin(a + d[1]), cx + ro * cos(a + d[2]), cy + ro * sin(a + d[2]), \
                cx + ro * cos(a + d[3]), cy + ro * sin(a + d[3]), cx + ri * cos(a + d[4]), cy + ri * sin(a + d[4])
            b = a + 2 * pi / n
            printf "%.1f,%.1f ", cx + ri * cos((a + d[4] + b + d[1]) / 2), cy + ri * sin((a + d[4] + b + d[1]) / 2)
        } }')
    convert -size 112x112 xc:black -fill white -draw "polygon $gear" \
        -fill black -draw "circle 56,56 56,34" "$T/gear_m.png"
    convert -size 112x112 gradient:'#e6fbff-#1596b8' "$T/gear_m.png" -alpha off \
        -compose CopyOpacity -composite \
        -fill '#8a0f72' -draw "circle 56,56 56,40" -fill "$MAG" -draw "circle 54,54 54,42" \
        -fill '#ffb3ee' -draw "circle 50,49 50,45" "$T/gear128.png"
}

# tab NAME W H glyph-file label : glyph left, label right, centred as a group.
# (W H at 1x)
tab() {
    w=$(($2 * S)) h=$(($3 * S))
    ink "$BOLD" 25 "$5" "$T/tab_ink.png"
    box "$T/tab_ink.png"; tw=$BW; th=$BH
    box "$4"; gw=$BW; gh=$BH
    gap=$((8 * S))
    x=$(( (w - gw - gap - tw) / 2 ))
    convert -size "${w}x$h" xc:none \
        "$4" -geometry "+$x+$(( (h - gh) / 2 ))" -compose Over -composite \
        \( -size "${tw}x$th" xc:white "$T/tab_ink.png" -alpha off -compose CopyOpacity -composite \) \
        -geometry "+$(( x + gw + gap ))+$(( (h - th) / 2 ))" -compose Over -composite \
        "$T/tab_raw.png"
    outline "$T/tab_raw.png" 1.5 "$T/tab.png"
    save "$T/tab.png" "$(named "$1")"
}

tabs() {
    convert "$T/cart128.png" -scale $((25 * S))% "$T/cart.png"
    convert "$T/gear128.png" -scale $((25 * S))% "$T/gear.png"
    tab browse 112 37 "$T/cart.png" ROMs
    tab settings 137 38 "$T/gear.png" Settings
}

# --- picture buttons (transparent; the buttons are black) -----------------
buttons() {
    # savename.png 69x36: "Save / Name" as a cyan neon sign.
    W=$((69 * S)) H=$((36 * S))
    ink "$BOLD" 17 Save "$T/sn1.png"
    ink "$BOLD" 17 Name "$T/sn2.png"
    place "$T/sn1.png" $W $H 0 $((-8 * S)) "$T/sn_a.png"
    place "$T/sn2.png" $W $H 0 $((8 * S)) "$T/sn_b.png"
    convert "$T/sn_a.png" "$T/sn_b.png" -compose Lighten -composite "$T/sn_m.png"
    neon "$T/sn_m.png" "xc:$CYA" 2 70 "$T/sn.png" 75
    save "$T/sn.png" "$(named savename)"

    # launch.png 67x40: the hot button - a magenta ring round an amber play
    # arrow above an amber "Launch".
    W=$((67 * S)) H=$((40 * S))
    ink "$BOLD" 17 Launch "$T/la_ink.png"
    place "$T/la_ink.png" $W $H 0 $((9 * S)) "$T/la_tm.png"
    convert -size 268x160 xc:black -fill none -stroke white -strokewidth 7 \
        -draw "circle 134,42 134,10" -scale $((25 * S))% "$T/la_rm.png"
    convert -size 268x160 xc:black -fill white -draw "polygon 124,26 152,42 124,58" \
        -scale $((25 * S))% "$T/la_am.png"
    neon "$T/la_rm.png" "xc:$MAG" 2 50 "$T/la_r.png" 40
    neon "$T/la_am.png" "xc:$AMB" 1.5 60 "$T/la_a.png" 45
    neon "$T/la_tm.png" "xc:$AMB" 2.5 55 "$T/la_t.png" 60
    convert "$T/la_r.png" "$T/la_a.png" -compose Over -composite \
        "$T/la_t.png" -compose Over -composite "$T/la.png"
    save "$T/la.png" "$(named launch)"

    # savesettings.png 40x33: a 3.5" floppy, 4x: indigo shell with a cyan rim,
    # steel shutter, white label.
    convert -size 112x100 xc:none \
        -fill '#2d2a7a' -stroke "$CYA" -strokewidth 5 \
        -draw "polygon 16,6 84,6 98,20 98,92 16,92" -stroke none \
        -fill '#cfd6e6' -draw "rectangle 34,9 76,36" \
        -fill '#2d2a7a' -draw "rectangle 62,14 70,31" \
        -fill '#f4f4ff' -draw "roundrectangle 26,50 88,89 4,4" \
        -fill "$MAG" -draw "rectangle 26,50 88,57" \
        -fill '#9a9ab8' -draw "rectangle 34,66 80,68 rectangle 34,76 72,78" \
        "$T/floppy128.png"
    W=$((40 * S)) H=$((33 * S))
    convert "$T/floppy128.png" -scale $((25 * S))% -background none -gravity center -extent ${W}x$H +gravity "$T/fl.png"
    convert "$T/fl.png" -alpha extract -blur "0x$(r 2)" -level 0,300% +level 0,40% "$T/fl_ga.png"
    convert -size ${W}x$H xc:"$CYA" "$T/fl_ga.png" -alpha off -compose CopyOpacity -composite \
        "$T/fl.png" -compose Over -composite "$T/fl.png"
    save "$T/fl.png" "$(named savesettings)"

    # --- title-strip buttons (transparent)
    # minimize.png 12x14: a short bar near the bottom, white with a cyan glow.
    convert -size $((12 * S))x$((14 * S)) xc:black -fill white -draw "$(rects 2 10 9 11)" "$T/mi_m.png"
    neon "$T/mi_m.png" "xc:$CYA" 1 60 "$T/mi.png" 80
    save "$T/mi.png" "$(named minimize)"

    # exit.png 9x11: a crisp X of one-pixel strokes in white with a magenta glow.
    convert -size $((9 * S))x$((11 * S)) xc:black +antialias -stroke white -strokewidth 1 \
        -draw "$(aff) line 1,2 7,8 line 7,2 1,8" "$T/ex_m.png"
    neon "$T/ex_m.png" "xc:$MAG" 0.8 45 "$T/ex.png" 85
    save "$T/ex.png" "$(named exit)"
}

# --- icons: the joystick on a small cabinet-black tile with a neon rim
# (magenta to cyan, top to bottom), so it reads on light and dark panels
# alike.  Drawn on a DxD grid (D a multiple of 64) for a picture of D/4,
# box-shrunk.  D out
icon() {
    k=$(awk -v d="$1" 'BEGIN { printf "%g", d / 128 }')
    a="affine $k,0,0,$k,0,0"
    convert -size "$1x$1" gradient:'#2a1a62-#06040e' \
        \( -size "$1x$1" xc:black -fill white -draw "$a roundrectangle 1,1 126,126 22,22" \) \
        -alpha off -compose CopyOpacity -composite "$T/ic_tile.png"
    convert -size "$1x$1" xc:black -fill none -stroke white -strokewidth 6 \
        -draw "$a roundrectangle 4,4 123,123 22,22" "$T/ic_rim_m.png"
    convert -size "1x$1" gradient:"$MAG-$CYA" -scale "$1x$1!" "$T/ic_rim_m.png" -alpha off \
        -compose CopyOpacity -composite "$T/ic_rim.png"
    joystick "$1" "$T/ic_stick_full.png"
    convert "$T/ic_stick_full.png" -resize 76% "$T/ic_stick.png"
    convert "$T/ic_tile.png" "$T/ic_rim.png" -compose Over -composite \
        "$T/ic_stick.png" -gravity center -geometry "+0+$(awk -v k="$k" 'BEGIN { printf "%d", k }')" \
        -compose Over -composite -filter box -resize $(($1 / 4))x$(($1 / 4)) "$2"
}

# At 16 px shrinking blurs too much, so that one is placed pixel by pixel.
icon16() {
    convert -size 1x16 gradient:"$MAG-$CYA" -scale 16x16! +antialias \
        \( -size 16x16 xc:black -fill white -draw "roundrectangle 0,0 15,15 3,3" \) \
        -alpha off -compose CopyOpacity -composite \
        \( -size 14x14 gradient:'#2a1a62-#06040e' \
           \( -size 14x14 xc:black -fill white -draw "roundrectangle 0,0 13,13 2,2" \) \
           -alpha off -compose CopyOpacity -composite \) \
        -geometry +1+1 -compose Over -composite \
        -fill "$MAG" -draw "rectangle 6,2 9,2 rectangle 5,3 10,6 rectangle 6,7 9,7" \
        -fill '#b3168c' -draw "point 10,5 point 10,6 point 9,7 point 8,7" \
        -fill '#ff9bea' -draw "point 6,4 point 7,3" -fill '#ffffff' -draw "point 6,3" \
        -fill '#e8e8f4' -draw "rectangle 7,8 7,10" -fill '#8a86a8' -draw "rectangle 8,8 8,10" \
        -fill "$CYA" -draw "rectangle 4,11 6,11 rectangle 9,11 11,11 point 3,12 point 12,12 rectangle 4,13 11,13" \
        -fill '#0c0a18' -draw "rectangle 4,12 11,12" \
        -fill '#b8b4d0' -draw "rectangle 7,11 8,11" \
        "$1"
}

# --- mouse pointers 32x32 (drawn 8x in 32-unit coordinates, box-shrunk) ---
# The hot spots stay at the same logical point at either scale.
pointers() {
    # pointer.png: white pointing hand, dark outline, cyan cuff.
    # Hotspot: the fingertip, (11,1).
    hand="roundrectangle 9,1 14,18 2.5,2.5
          roundrectangle 14,9.5 19,20 2.5,2.5
          roundrectangle 19,11 24,21 2.5,2.5
          roundrectangle 24,13 28.5,22 2.2,2.2
          roundrectangle 9,15 28.5,27 4,4
          push graphic-context translate 9.5,22.5 rotate -42
            roundrectangle -2.6,-10 2.6,2 2.6,2.6
          pop graphic-context
          rectangle 11.5,25 26,30"
    convert -size 256x256 xc:none \
        -draw "affine 8,0,0,8,0,0 fill $INK stroke $INK stroke-width 2.2 $hand" \
        -draw "affine 8,0,0,8,0,0 fill white stroke none $hand" \
        -draw "affine 8,0,0,8,0,0 fill $CYA stroke none rectangle 11.5,26 26,30" \
        -draw "affine 8,0,0,8,0,0 stroke $INK stroke-width 1 stroke-linecap round
               line 14.5,11.5 14.5,16 line 19.5,13 19.5,17 line 24.5,15 24.5,18 line 11.5,25.7 26,25.7" \
        -scale "$(r 12.5)%" "$T/hand.png"
    save "$T/hand.png" "$(named pointer)"

    # pointer-window.png: white arrow, dark outline, magenta neon halo.
    # Hotspot: the tip, (1,1).
    arrow="polygon 2,2 2,23.5 7.2,18.6 10.6,26.6 14,25.2 10.6,17.4 17.6,17.4"
    convert -size 256x256 xc:none \
        -draw "affine 8,0,0,8,0,0 fill $INK stroke $INK stroke-width 2.4 stroke-linejoin round $arrow" \
        -draw "affine 8,0,0,8,0,0 fill white stroke none $arrow" \
        -scale "$(r 12.5)%" "$T/arrow.png"
    convert "$T/arrow.png" -alpha extract -blur "0x$(r 1.2)" -level 0,60% +level 0,70% "$T/arrow_g.png"
    convert -size $((32 * S))x$((32 * S)) xc:"$MAG" "$T/arrow_g.png" -alpha off -compose CopyOpacity -composite \
        "$T/arrow.png" -compose Over -composite "$T/arrow.png"
    save "$T/arrow.png" "$(named pointer-window)"
}

# --- drawing everything ---------------------------------------------------
joystick 128 "$T/stick128.png"
cartridge
gear
for S in 1 2; do
    background
    titlestrip
    logo
    banner
    tabs
    buttons
    pointers
done

# Window icons: 16 and 32 px, and the 32 one's double (the 16 one's double
# would be the 32 one).  The 16 px one is placed by hand; from 32 px up the
# icon is shrunk from four times its size.
S=1
icon16 "$T/ic16.png"
save "$T/ic16.png" icon16.png
icon 128 "$T/ic32.png"
save "$T/ic32.png" icon32.png
icon 256 "$T/ic64.png"
save "$T/ic64.png" icon32@2x.png

# The application's icon for the desktop menu, in the icon theme's sizes.
# Not compiled in: it is installed beside the program.
for n in 16 32 48 64 128 256; do
    case $n in
        16) f="$T/ic16.png" ;;
        32) f="$T/ic32.png" ;;
        64) f="$T/ic64.png" ;;
        *) icon $((n * 4)) "$T/ic$n.png"; f="$T/ic$n.png" ;;
    esac
    mkdir -p "$out/icons/hicolor/${n}x$n/apps"
    save "$f" "icons/hicolor/${n}x$n/apps/org.tavrel.Tavrel.png"
done
