#!/bin/sh
# Starts the built program in a real X server with a window manager (openbox) and works
# it by the keyboard as a user would: the threshold import of a sample picture places
# the preview level with the thresholds window; a message box raised while the preview
# and that window lie over its place is fully visible; after CGA_BWCM the colour cells
# show palette 4; started again, a preview already open is placed level the same way.
# Leaves a screenshot of the main window holding the converted sample in
# WORKDIR/main-window.png; `make screenshot` copies it to docs/ for the README.
# usage: windows-test.sh PROGRAM SHOTCHECK SOURCE_DIR WORKDIR
set -eu
program=$1
shotcheck=$2
source=$3
work=$4
. "$(dirname "$0")/xserver.sh"
. "$(dirname "$0")/driving.sh"
openbox --config-file /dev/null >"$work/openbox.log" 2>&1 &
wm=$!
"$program" >"$work/program.log" 2>&1 &
pid=$!
trap 'kill $pid $wm 2>/dev/null || true' EXIT

fail() {
    echo "FAIL: $*" >&2
    import -window root "$work/failure.png" 2>/dev/null || true
    cat "$work/program.log" >&2
    exit 1
}

shoot() {  # NAME: a screenshot of the whole screen into $shot
    shot="$work/$1.png"
    sleep 0.5
    import -window root "$shot"
}

# Client-area geometry of the visible window named exactly NAME: "X Y W H".
geometry() {
    id=$(xdotool search --onlyvisible --name "^$1\$" | head -n 1)
    [ -n "$id" ] || return 1
    xwininfo -id "$id" | awk '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}



# Opens "Файл", goes down to its item ITEM (1 = the first), and when SUBITEM is given,
# into that item's submenu.
file_menu() {  # ITEM [SUBITEM]
    main=$(xdotool search --onlyvisible --name '^Tovik Images' | head -n 1)
    xdotool windowactivate --sync "$main" 2>/dev/null || true
    keys alt Down
    n=1
    while [ $n -lt "$1" ]; do keys Down; n=$((n + 1)); done
    if [ $# -gt 1 ]; then
        keys Right
        n=1
        while [ $n -lt "$2" ]; do keys Down; n=$((n + 1)); done
    fi
    keys Return
}

# Types a file name into the open or save dialog and accepts it.
choose_file() {  # CAPTION PATH
    wait_window "$1"
    sleep 0.3
    xdotool type --delay 10 "$2"
    keys Return
}

wait_window 'Tovik Images'
shoot start
set -- $("$shotcheck" find "$shot" FF0000) || fail "no red colour cell at start"
cellx=$1
celly=$2

# The preview's top level with the thresholds window's; $1 names the preview.
expect_preview_level() {
    set -- "$1" $(geometry 'Пороги')
    thresholds_top=$3
    set -- "$1" $(geometry 'Просмотр')
    [ "$3" = "$thresholds_top" ] ||
        fail "$1's top is $3, the thresholds window's $thresholds_top"
    echo "$1 level with the thresholds window at y = $3"
}

# Threshold import of the photograph-like sample.
file_menu 4 4
choose_file 'Открыть' "$source/samples/photo-like.jpg"
wait_window 'Пороги'
wait_window 'Просмотр'
sleep 1
expect_preview_level 'the preview'

# The tool windows over the middle of the main window, where a message box opens.
set -- $(geometry 'Tovik Images\*')
middle_x=$(($1 + $3 / 2))
middle_y=$(($2 + $4 / 2))
xdotool windowmove "$(xdotool search --onlyvisible --name '^Пороги$' | head -n 1)" \
    $((middle_x - 250)) $((middle_y - 200))
xdotool windowmove "$(xdotool search --onlyvisible --name '^Просмотр$' | head -n 1)" \
    $((middle_x - 200)) $((middle_y - 100))
sleep 0.5

# "BIN с заголовком": the save dialog, then the success box.
file_menu 3 2
choose_file 'Сохранить как' "$work/picture.bin"
wait_window 'Экспорт'
shoot message
set -- $(geometry 'Экспорт')
[ "$1" -ge 0 ] && [ "$2" -ge 0 ] && [ $(($1 + $3)) -le 1600 ] && [ $(($2 + $4)) -le 1000 ] ||
    fail "the message box lies off the screen at $*"
# The picture's sky is pure blue: none of it may show through the box.
covered=$("$shotcheck" count "$shot" 0000FF "$@")
[ "$covered" = 0 ] || fail "$covered pixels of the preview show over the message box at $*"
set -- $(geometry 'Просмотр')
over=$("$shotcheck" count "$shot" 0000FF "$@")
[ "$over" -gt 0 ] || fail "the preview shows no picture"
echo "message box fully visible over the preview and the thresholds window"
keys Return
sleep 0.5
[ -s "$work/picture.bin" ] || fail "the export wrote nothing"

# The README's screenshot: the tool windows moved off the main window.
for name in 'Пороги' 'Просмотр'; do
    xdotool windowmove "$(xdotool search --onlyvisible --name "^$name\$" | head -n 1)" 1430 20
done
sleep 0.5
main=$(xdotool search --onlyvisible --name '^Tovik Images' | head -n 1)
import -window "$main" "$work/main-window.png"

# CGA_BWCM: the palette becomes 4, and the colour cells show it.
file_menu 4 1
choose_file 'Открыть' "$source/samples/cga.bmp"
shoot cga
for cell in "0 FFFFFF" "25 00FFFF" "50 FF00FF"; do
    set -- $cell
    got=$("$shotcheck" pixel "$shot" $((cellx - $1)) "$celly")
    [ "$got" = "$2" ] || fail "colour cell at $((cellx - $1)), $celly is $got after CGA_BWCM, not $2"
done
echo "the colour cells show palette 4"

# Started again with the preview opened by its box first: the threshold import puts the
# open preview level with the thresholds window as well.
kill "$pid"
wait "$pid" 2>/dev/null || true
XDG_DATA_HOME="$work/data2" "$program" >"$work/program.log" 2>&1 &
pid=$!
wait_window 'Tovik Images'
sleep 0.5
# The "Просмотр" box in the tool bar.
set -- $(geometry 'Tovik Images')
xdotool mousemove $(($1 + 228)) $(($2 + 37)) click 1
wait_window 'Просмотр'
sleep 0.5
file_menu 4 4
choose_file 'Открыть' "$source/samples/photo-like.jpg"
wait_window 'Пороги'
sleep 1
expect_preview_level 'the open preview'
echo "PASS"
