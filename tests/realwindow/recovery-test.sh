#!/bin/sh
# Recovery after a kill, in a real X server with a window manager: paints picture pixel
# (1, 1) red, waits until the recovery file is written, kills the program with SIGKILL,
# starts it again, answers "Да" to "Восстановить несохранённую работу?" with the Return
# key, and checks that the pixel is back on the screen, the work unsaved again.
# usage: recovery-test.sh PROGRAM SHOTCHECK WORKDIR
set -eu
program=$1
shotcheck=$2
work=$3
. "$(dirname "$0")/xserver.sh"
# xserver.sh gives the run a data folder of its own: the recovery file lands there.
recovery="$XDG_DATA_HOME/Tovik Images/recovery.tvr"
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

expect_pixel() {  # x y RRGGBB what
    got=$("$shotcheck" pixel "$shot" "$1" "$2")
    [ "$got" = "$3" ] || fail "$4: pixel ($1, $2) is $got, expected $3"
}

visible() {  # NAME: how many visible windows are named exactly NAME
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l
}

timeout 30 xdotool search --sync --onlyvisible --name '^Tovik Images$' >/dev/null ||
    fail "the main window did not appear"
shot="$work/start.png"
origin=""
for _ in $(seq 20); do
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

cell=$("$shotcheck" find "$shot" FF0000) || fail "no red colour cell"
set -- $cell
xdotool mousemove "$1" "$2" click 1
xdotool mousemove $((ox + 15)) $((oy + 9)) click 1
for _ in $(seq 40); do
    [ -s "$recovery" ] && break
    sleep 0.25
done
[ -s "$recovery" ] || fail "no recovery file at $recovery"
echo "recovery file written: $(wc -c <"$recovery") bytes"

kill -9 $pid
wait $pid 2>/dev/null || true
"$program" >"$work/program2.log" 2>&1 &
pid=$!
trap 'kill $pid $wm 2>/dev/null || true' EXIT
# The main window, then the question over it under the same caption.
for _ in $(seq 60); do
    [ "$(visible 'Tovik Images')" -ge 2 ] && break
    sleep 0.25
done
[ "$(visible 'Tovik Images')" -ge 2 ] || fail "no question at the second start"
sleep 0.5
xdotool key --clearmodifiers Return
for n in $(seq 80); do
    [ "$(visible 'Tovik Images\*')" -ge 1 ] && break
    # A key that came before the question had the focus is pressed again.
    if [ $((n % 20)) = 0 ] && [ "$(visible 'Tovik Images')" -ge 2 ]; then
        xdotool key --clearmodifiers Return
    fi
    sleep 0.25
done
[ "$(visible 'Tovik Images\*')" -ge 1 ] || fail "the work did not come back unsaved"

shot="$work/restored.png"
for _ in $(seq 10); do
    sleep 0.3
    import -window root "$shot"
    [ "$("$shotcheck" pixel "$shot" $((ox + 12)) $((oy + 12)))" = FF0000 ] && break
done
expect_pixel $((ox + 12)) $((oy + 12)) FF0000 "picture pixel (1, 1) red again"
expect_pixel $((ox + 9)) $((oy + 9)) FF0000 "picture pixel (1, 1) red again"
expect_pixel $((ox + 4)) $((oy + 4)) 000000 "picture pixel (0, 0) still black"
expect_pixel $((ox + 20)) $((oy + 12)) 000000 "picture pixel (2, 1) still black"
[ -s "$recovery" ] || fail "the recovery file went before the work was saved"
echo "PASS"
