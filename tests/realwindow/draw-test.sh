#!/bin/sh
# Starts the built program in a real X server and draws with the mouse: with Линия (L)
# and colour 3 a drag from picture cell (1, 1) to (10, 1); with Заливка (F) and colour 2 a
# click at cell (20, 20), which fills everything black around the line. Checks both in
# screenshots, then that Ctrl+Z takes back the fill and leaves the line.
# usage: draw-test.sh PROGRAM SHOTCHECK WORKDIR
set -eu
program=$1
shotcheck=$2
work=$3
. "$(dirname "$0")/xserver.sh"
"$program" >"$work/program.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

fail() {
    echo "FAIL: $*" >&2
    cat "$work/program.log" >&2
    exit 1
}

expect_cell() {  # x y RRGGBB what: the middle of picture cell (x, y) at x8
    got=$("$shotcheck" pixel "$shot" $((ox + 8 * $1 + 4)) $((oy + 8 * $2 + 4)))
    [ "$got" = "$3" ] || fail "$4: cell ($1, $2) is $got, expected $3"
}

shoot_until() {  # name x y RRGGBB: screenshots until cell (x, y) shows the colour
    shot="$work/$1.png"
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        sleep 0.3
        import -window root "$shot"
        [ "$("$shotcheck" pixel "$shot" $((ox + 8 * $2 + 4)) $((oy + 8 * $3 + 4)))" = "$4" ] &&
            break
    done
    return 0
}

timeout 30 xdotool search --sync --onlyvisible --name '^Tovik Images$' >/dev/null ||
    fail "the main window did not appear"
shot="$work/start.png"
origin=""
for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
    import -window root "$shot"
    if origin=$("$shotcheck" view "$shot"); then
        break
    fi
    sleep 0.5
done
[ -n "$origin" ] || fail "no start-up grid on the screen"
set -- $origin
ox=$1
oy=$2

# Colour 3 (red) is the rightmost colour cell; colour 2 (green) the one before it.
cell=$("$shotcheck" find "$shot" FF0000) || fail "no red colour cell"
set -- $cell
redx=$1
redy=$2
xdotool mousemove "$redx" "$redy" click 1
xdotool key l
xdotool mousemove $((ox + 12)) $((oy + 12)) mousedown 1 sleep 0.2 \
    mousemove $((ox + 50)) $((oy + 12)) sleep 0.2 \
    mousemove $((ox + 84)) $((oy + 12)) sleep 0.2 mouseup 1
shoot_until line 10 1 FF0000
expect_cell 1 1 FF0000 "the line's first end"
expect_cell 5 1 FF0000 "the line's middle"
expect_cell 10 1 FF0000 "the line's last end"
expect_cell 11 1 000000 "past the line's end"
expect_cell 5 2 000000 "below the line"

xdotool mousemove $((redx - 25)) "$redy" click 1
xdotool key f
xdotool mousemove $((ox + 8 * 20 + 4)) $((oy + 8 * 20 + 4)) click 1
shoot_until fill 20 20 00FF00
expect_cell 20 20 00FF00 "the filled cell"
expect_cell 0 0 00FF00 "the corner, filled"
expect_cell 11 1 00FF00 "beside the line, filled"
expect_cell 63 63 00FF00 "the far corner, filled"
expect_cell 5 1 FF0000 "the line, left as it was"

xdotool key --clearmodifiers ctrl+z
shoot_until undone 20 20 000000
expect_cell 20 20 000000 "the fill taken back by Ctrl+Z"
expect_cell 5 1 FF0000 "the line after Ctrl+Z"
echo "PASS"
