#!/bin/sh
# On a 1366 x 768 screen with a window manager (openbox), opened by the keyboard as a user
# would: the main window, the "Палитра" window and the preview, and then, in a fresh
# start, the chunk settings window with the preview. Every window lies wholly on the
# screen, and none covers another one or the main window's menu and tool bar; the palette
# ranking opened beside the first two lies wholly on the screen.
# usage: small-screen-test.sh PROGRAM SOURCE_DIR WORKDIR
set -eu
program=$1
source=$2
work=$3
export TOVIK_SCREEN=1366x768
. "$(dirname "$0")/xserver.sh"
. "$(dirname "$0")/driving.sh"
openbox --config-file /dev/null >"$work/openbox.log" 2>&1 &
wm=$!
pid=
trap 'kill $pid $wm 2>/dev/null || true' EXIT

fail() {
    echo "FAIL: $*" >&2
    import -window root "$work/failure.png" 2>/dev/null || true
    cat "$work/program.log" >&2
    exit 1
}

# Client-area geometry of the visible window whose whole name matches NAME:
# "X Y W H".
geometry() {
    id=$(xdotool search --onlyvisible --name "^$1\$" | head -n 1)
    [ -n "$id" ] || return 1
    xwininfo -frame -id "$id" | awk '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}



activate_main() {
    main=$(xdotool search --onlyvisible --name '^Tovik Images' | head -n 1)
    xdotool windowactivate --sync "$main" 2>/dev/null || true
}

# "Файл" → "Импорт" → the ITEMth import, then the picture typed into the open dialog.
import_with() {  # ITEM PATH
    activate_main
    keys alt Down Down Down Down Right
    n=1
    while [ "$n" -lt "$1" ]; do keys Down; n=$((n + 1)); done
    keys Return
    wait_window 'Открыть'
    sleep 0.3
    xdotool type --delay 10 "$2"
    keys Return
}

starts=0
start() {  # each start with a data folder of its own: no recovery offer from the last
    starts=$((starts + 1))
    XDG_DATA_HOME="$work/data$starts" "$program" >"$work/program.log" 2>&1 &
    pid=$!
    wait_window 'Tovik Images'
    sleep 0.5
}

stop() {
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
}

boxes=
add() {  # NAME
    box=$(geometry "$1") || fail "no window \"$1\""
    set -- $box "$1"
    [ "$1" -ge 0 ] && [ "$2" -ge 0 ] && [ $(($1 + $3)) -le 1366 ] && [ $(($2 + $4)) -le 768 ] ||
        fail "\"$5\" lies off the screen at $1 $2 $3 $4"
    echo "$5 at $1 $2, $3 x $4"
    boxes="$boxes$1 $2 $3 $4 $5
"
}

# Fails when two of the boxes added overlap.
no_overlap() {
    printf '%s' "$boxes" | awk '
        { x[NR] = $1; y[NR] = $2; w[NR] = $3; h[NR] = $4; $1 = $2 = $3 = $4 = ""; n[NR] = $0 }
        END {
            for (i = 1; i <= NR; i++) for (j = i + 1; j <= NR; j++)
                if (x[i] < x[j] + w[j] && x[j] < x[i] + w[i] &&
                    y[i] < y[j] + h[j] && y[j] < y[i] + h[i]) {
                    print "overlap:" n[i] " and" n[j]; bad = 1
                }
            exit bad
        }' || fail "windows cover each other"
    boxes=
}

# The main window's caption, menu and tool bar.
add_main_controls() {
    box=$(geometry '.*Tovik Images.*') || fail "no main window"
    set -- $box
    [ "$1" -ge 0 ] && [ "$2" -ge 0 ] && [ $(($1 + $3)) -le 1366 ] && [ $(($2 + $4)) -le 768 ] ||
        fail "the main window lies off the screen at $*"
    echo "the main window at $1 $2, $3 x $4"
    boxes="$1 $2 $3 60 the main window's controls
"
}

start
import_with 6 "$source/samples/photo-like.jpg"
wait_window 'Палитра'
wait_window 'Просмотр'
activate_main
keys alt Right Right Down Return
wait_window 'Подобрать палитру'
sleep 1
add_main_controls
add 'Палитра'
add 'Просмотр'
no_overlap
# The ranking beside those two does not fit on this screen beside them: it is only
# checked to lie wholly on it.
add 'Подобрать палитру'
boxes=
stop

start
import_with 3 "$source/samples/photo-like.jpg"
wait_window 'Настройка'
wait_window 'Просмотр'
sleep 1
add_main_controls
add 'Настройка'
add 'Просмотр'
no_overlap
echo "PASS"
