#!/bin/sh
# Starts the built program in a real X server, checks the start-up view in a screenshot,
# chooses colour 3, clicks view position (15, 9) and checks that picture pixel (1, 1)
# shows red, then presses Ctrl+Z and checks that it is black again.
# usage: paint-test.sh PROGRAM SHOTCHECK WORKDIR
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

expect_pixel() {  # x y RRGGBB what
    got=$("$shotcheck" pixel "$shot" "$1" "$2")
    [ "$got" = "$3" ] || fail "$4: pixel ($1, $2) is $got, expected $3"
}

timeout 30 xdotool search --sync --onlyvisible --name '^Tovik Images$' >/dev/null ||
    fail "the main window did not appear"

# Wait until the view has been painted.
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
echo "view at $ox, $oy"

# The start-up grid: lines every 8 view pixels, middle grey at 32, light grey at 64.
expect_pixel $((ox + 32)) $((oy + 1)) 808080 "middle grey line at x = 32"
expect_pixel $((ox + 64)) $((oy + 1)) C8C8C8 "light grey line at x = 64"
expect_pixel $((ox + 8)) $((oy + 1)) 404040 "dark grey line at x = 8"
expect_pixel $((ox + 96)) $((oy + 9)) 808080 "middle grey line at x = 96"
expect_pixel $((ox + 128)) $((oy + 300)) C8C8C8 "light grey line at x = 128"
expect_pixel $((ox + 100)) $((oy + 64)) C8C8C8 "light grey line at y = 64"
expect_pixel $((ox + 12)) $((oy + 12)) 000000 "black picture"
expect_pixel $((ox + 500)) $((oy + 500)) 000000 "black picture"

# Colour 3 of palette 0 is the only pure red on the screen at start: its cell.
cell=$("$shotcheck" find "$shot" FF0000) || fail "no red colour cell"
set -- $cell
xdotool mousemove "$1" "$2" click 1
xdotool mousemove $((ox + 15)) $((oy + 9)) click 1

shot="$work/painted.png"
for _ in 1 2 3 4 5 6 7 8 9 10; do
    sleep 0.3
    import -window root "$shot"
    [ "$("$shotcheck" pixel "$shot" $((ox + 12)) $((oy + 12)))" = FF0000 ] && break
done
expect_pixel $((ox + 12)) $((oy + 12)) FF0000 "picture pixel (1, 1) painted red"
expect_pixel $((ox + 9)) $((oy + 9)) FF0000 "picture pixel (1, 1) painted red"
expect_pixel $((ox + 15)) $((oy + 15)) FF0000 "picture pixel (1, 1) painted red"
expect_pixel $((ox + 4)) $((oy + 4)) 000000 "picture pixel (0, 0) still black"
expect_pixel $((ox + 20)) $((oy + 12)) 000000 "picture pixel (2, 1) still black"
# Undo: the pixel is black again.
xdotool key --clearmodifiers ctrl+z
shot="$work/undone.png"
for _ in 1 2 3 4 5 6 7 8 9 10; do
    sleep 0.3
    import -window root "$shot"
    [ "$("$shotcheck" pixel "$shot" $((ox + 12)) $((oy + 12)))" = 000000 ] && break
done
expect_pixel $((ox + 12)) $((oy + 12)) 000000 "picture pixel (1, 1) black again after Ctrl+Z"
echo "PASS"
