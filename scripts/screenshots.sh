#!/bin/sh
# Takes the guide's pictures (docs/images/*.png) from the real program: a portable
# copy of Tavrel runs under Xvfb on a small made-up collection and is driven with
# real mouse and key input. Run again, it draws the same pictures.
set -eu
cd "$(dirname "$0")/.."
repo=$(pwd)

# What only this script needs; the build's own packages come with the build.
scripts/deps.sh xvfb xdotool imagemagick x11-utils fonts-dejavu-core
scripts/build.sh --target tavrel dos_probe
build="$repo/${TAVREL_BUILD_DIR:-build}/src"

# A fixed place, so that every path shown in a picture is the same from run to run.
work=/tmp/tavrel-guide
out="$repo/docs/images"
font=/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf
screen_w=800
screen_h=600

xvfb_pid=""
tavrel_pid=""
cleanup() {
    if [ -n "$tavrel_pid" ]; then kill "$tavrel_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
    echo "screenshots: $*" >&2
    exit 1
}

# --- The made-up collection -------------------------------------------------

rm -rf "$work"
mkdir -p "$work/Tavrel" "$work/roms/snaps" "$work/home" "$work/run"
chmod 700 "$work/run"

# A portable copy: the program and its shell program side by side, so its
# settings and launch script stay in this folder.
cp "$build/tavrel" "$build/TVRShell.pif" "$work/Tavrel/"

# Stands in for the emulator: named like the command in ".EXE Name:" and lying
# beside the program, where the launch looks first.
cat >"$work/Tavrel/NeoRAGE.EXE" <<'EOF'
#!/bin/sh
# What it was asked to run, for the check at the end.
printf '%s\n' "$*" >"$(dirname "$0")/../launched"
echo "NeoRAGE stand-in: the real emulator would start here."
echo "Game:     $1"
shift
echo "Switches: $*"
EOF
chmod +x "$work/Tavrel/NeoRAGE.EXE"

# An empty but valid ZIP archive: its end-of-directory record alone.
empty_zip() {
    printf 'PK\005\006\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000' >"$1"
}

# title screen: file, game name, two colours for the sky, one for the ground
draw_title() {
    convert -size 320x224 "gradient:$3-$4" \
        -fill "$5" -draw 'rectangle 0,170 320,224' \
        -fill '#ffffff' -draw 'circle 250,60 250,82' \
        -font "$font" -pointsize 44 -gravity north \
        -fill '#000000' -annotate +3+63 "$2" -fill '#ffeb3b' -annotate +0+60 "$2" \
        -pointsize 18 -fill '#ffffff' -gravity south -annotate +0+14 'PRESS START' \
        "BMP3:$1"
}

# a scene: file, caption, background colour, sprite colour
draw_scene() {
    convert -size 320x224 "xc:$3" \
        -fill "$4" -draw 'rectangle 40,140 80,180' -draw 'rectangle 220,90 270,180' \
        -fill '#ffffff' -draw 'rectangle 0,180 320,224' \
        -font "$font" -pointsize 24 -fill '#ffffff' -gravity north -annotate +0+12 "$2" \
        "BMP3:$1"
}

roms="$work/roms"
snaps="$roms/snaps"
for game in comet.zip kiteknights.zip pulsar.zip tidalforce.zip; do
    empty_zip "$roms/$game"
done
draw_title "$snaps/pulsar-title.bmp" 'PULSAR RUN' '#1a1a6e' '#c2185b' '#263238'
draw_scene "$snaps/pulsar-stage1.bmp" 'STAGE 1' '#0d47a1' '#ffca28'
draw_title "$snaps/kite-title.bmp" 'KITE KNIGHTS' '#4fc3f7' '#fff59d' '#2e7d32'
draw_scene "$snaps/kite-stage1.bmp" 'THE WINDY GATE' '#81d4fa' '#d84315'
draw_title "$snaps/comet-title.bmp" 'COMET CUP' '#000000' '#4a148c' '#1b5e20'

# The settings a user might have saved, and two games already named and pictured.
# Game records are named by the lower-case full path of the archive.
record() { printf '%s' "$roms/$1" | tr '[:upper:]' '[:lower:]'; }
cat >"$work/Tavrel/tavrel.ini" <<EOF
[Pictures]
1=yes
[Frameskip]
1=1
[Video]
1=1
[Scanlines]
1=yes
[Analyse]
1=no
[Vsync]
1=yes
[Joystick]
1=no
[EXEname]
1=NeoRAGE.EXE
[$(record kiteknights.zip)]
gamename=Kite Knights
picture=$snaps/kite-title.bmp
picture2=$snaps/kite-stage1.bmp
[$(record pulsar.zip)]
gamename=Pulsar Run
picture=$snaps/pulsar-title.bmp
EOF

# The console's look, from the program's own home folder rather than the user's.
cat >"$work/home/.Xdefaults" <<'EOF'
XTerm*faceName: DejaVu Sans Mono
XTerm*faceSize: 11
XTerm*geometry: 72x12
XTerm*background: #101018
XTerm*foreground: #e8e8e8
XTerm*cursorColor: #e040a0
XTerm*internalBorder: 8
EOF

# --- A display of our own ---------------------------------------------------

display=""
n=73
while [ "$n" -lt 200 ]; do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
        display=":$n"
        break
    fi
    n=$((n + 1))
done
[ -n "$display" ] || fail "no free display number"
Xvfb "$display" -screen 0 "${screen_w}x${screen_h}x24" -dpi 96 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
tries=0
until xdpyinfo >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -lt 100 ] || fail "Xvfb did not start on $display"
    sleep 0.1
done

# The program sees a clean, fixed environment: its own home, the C.UTF-8 locale,
# xterm as the console. It starts in the collection's folder.
(
    cd "$roms"
    exec env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
        LANG=C.UTF-8 LC_ALL=C.UTF-8 DISPLAY="$display" QT_QPA_PLATFORM=xcb TERMINAL=xterm SDL_AUDIODRIVER=dummy \
        "$work/Tavrel/tavrel"
) >"$work/tavrel.log" 2>&1 &
tavrel_pid=$!

main=$(xdotool search --sync --onlyvisible --name '^Tavrel$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$main")"
# shellcheck disable=SC2154 # X and Y come from getwindowgeometry
ox=$X
# shellcheck disable=SC2154
oy=$Y
if [ "$ox" -ne $(((screen_w - 640) / 2)) ] || [ "$oy" -ne $(((screen_h - 480) / 2)) ]; then
    fail "the window opened at $ox,$oy, not centred"
fi

# --- Driving it ---------------------------------------------------------------

# Window coordinates (as the layout gives them) to screen coordinates.
at() { xdotool mousemove --sync $((ox + $1)) $((oy + $2)); }
click() { at "$1" "$2"; xdotool click "${3:-1}"; }
double_click() { at "$1" "$2"; xdotool click --repeat 2 --delay 80 1; }
# The pointer rests outside the window, so that no tooltip or hover shows.
park() { xdotool mousemove --sync $((screen_w - 1)) $((screen_h - 1)); }
key() { xdotool key --delay 60 "$@"; }

# Waits until two grabs a moment apart agree, then keeps the last.
# shot: name, then the area (WxH+X+Y on the screen) or a window id
shot() {
    name=$1
    area=$2
    prev="$work/shot-prev.png"
    cur="$work/shot-cur.png"
    grab "$area" "$prev"
    tries=0
    while :; do
        sleep 0.4
        grab "$area" "$cur"
        if [ "$(compare -metric AE "$prev" "$cur" null: 2>&1 || true)" = 0 ]; then
            break
        fi
        mv "$cur" "$prev"
        tries=$((tries + 1))
        [ "$tries" -lt 25 ] || fail "$name never settled"
    done
    # No time stamps in the file: a run that draws the same pixels writes the same bytes.
    convert "$cur" -strip -define png:exclude-chunks=date,time "$out/$name.png"
    echo "docs/images/$name.png"
}
grab() {
    case $1 in
        *x*) import -window root -crop "$1" +repage "$2" ;;
        *) import -window "$1" "$2" ;;
    esac
}
window_area="640x480+$ox+$oy"

# A message box: a top-level window named Tavrel besides the main one and
# besides the box given (the one just answered, which may still be closing).
dialog() {
    tries=0
    while :; do
        for w in $(xdotool search --onlyvisible --name '^Tavrel$'); do
            if [ "$w" != "$main" ] && [ "$w" != "${1:-}" ]; then
                echo "$w"
                return 0
            fi
        done
        tries=$((tries + 1))
        [ "$tries" -lt 50 ] || fail "no message box"
        sleep 0.1
    done
}

# Waits until the message box given has closed.
closed() {
    tries=0
    while xdotool search --onlyvisible --name '^Tavrel$' | grep -qx "$1"; do
        tries=$((tries + 1))
        [ "$tries" -lt 50 ] || fail "a message box stayed open"
        sleep 0.1
    done
}

# The middle of an entry in a list: the list's top, the entry's index (from 0).
# Folder rows are a little taller than file rows, for their icons.
file_row() { echo $(($1 + 10 + $2 * 19)); }
dir_row() { echo $(($1 + 11 + $2 * 21)); }

mkdir -p "$out"
park

# Browser view: the third game selected, with its name and picture 1.
click 300 "$(file_row 176 2)"
park
shot browser "$window_area"

# The picture menu of the game's picture.
click 516 116
park
shot picture-menu "$window_area"
key Escape

# The ROM menu of the archive list.
click 300 "$(file_row 176 2)" 3
park
shot rom-menu "$window_area"

# Its delete command asks first; No keeps the file.
key 2
box=$(dialog)
shot confirm "$window_area"
xdotool windowfocus --sync "$box"
key n
box=$(dialog "$box")
xdotool windowfocus --sync "$box"
key Return
closed "$box"

# The picture selection panel, opened from the picture menu's last command.
click 516 116
key Up Return
# Into the snaps folder (fifth row of its folder list), then slot 2 and a picture.
double_click 90 "$(dir_row 152 4)"
click 433 93
click 268 "$(file_row 152 3)"
park
shot pictures "$window_area"
click 490 423

# Settings view, then the about panel over it.
click 296 76
park
shot settings "$window_area"
# Its lower part alone: Use Pictures, which the picture box needs, and the save button.
shot use-pictures "624x124+$((ox + 8))+$((oy + 344))"
click 513 93
park
shot about "$window_area"
click 320 160

# Back to the browser view and launch; the console is an xterm of its own.
click 120 76
click 564 348
console=$(xdotool search --sync --onlyvisible --class xterm | head -n 1)
park
shot console "$console"
# A key ends the console's wait, and the console closes.
xdotool windowfocus --sync "$console"
key space
tries=0
while xdotool search --onlyvisible --class xterm >/dev/null; do
    tries=$((tries + 1))
    [ "$tries" -lt 50 ] || fail "the console stayed open"
    sleep 0.1
done

# A DOS emulator: the tests' small DOS program, assembled by the build, takes the
# stand-in's place as NEORAGE.EXE (".EXE Name:" still says NeoRAGE.EXE: letter case
# does not matter for it). The launch runs the script in DOSBox, whose window is the console.
rm "$work/Tavrel/NeoRAGE.EXE"
cp "$repo/${TAVREL_BUILD_DIR:-build}/tests/PROBE.EXE" "$work/Tavrel/NEORAGE.EXE"
click 564 348
dosbox=$(xdotool search --sync --onlyvisible --name '^DOSBox' | head -n 1)
tries=0
until [ -s "$work/Tavrel/OUT.TXT" ]; do
    tries=$((tries + 1))
    [ "$tries" -lt 100 ] || fail "the DOS program did not run"
    sleep 0.1
done
park
# DOSBox's cursor blinks while it waits for a key, so the picture is one grab, not a settled one.
sleep 1
grab "$dosbox" "$work/dosbox.png"
convert "$work/dosbox.png" -strip -define png:exclude-chunks=date,time "$out/dosbox.png"
echo "docs/images/dosbox.png"
# A key ends the script's Pause, and DOSBox closes.
xdotool windowfocus --sync "$dosbox"
key space
tries=0
while xdotool search --onlyvisible --name '^DOSBox' >/dev/null; do
    tries=$((tries + 1))
    [ "$tries" -lt 50 ] || fail "DOSBox stayed open"
    sleep 0.1
done

# The exit button ends the program.
click 624 14
wait "$tavrel_pid" || true
tavrel_pid=""

# The clicks landed where they were meant to: the launch ran the game chosen
# first, with the saved options.
grep -qx "$roms/pulsar.zip -s -f1 -v" "$work/launched" ||
    fail "the launch ran: $(cat "$work/launched" 2>/dev/null || echo nothing)"
# and the DOS program was handed the same game by its DOS name.
grep -q 'D:\\PULSAR.ZIP -s  -f1' "$work/Tavrel/OUT.TXT" ||
    fail "the DOS program was given: $(cat "$work/Tavrel/OUT.TXT")"
