#!/bin/sh
# The desktop program in a real X server with a window manager, driven by mouse and keys,
# its files compared byte for byte with the batch program's for the same settings:
# 1. "Палитра…" → "Подобрать палитру" → the first thumbnail → "BIN с палитрой" gives
#    the batch program's diffusion with --palette auto; then "Уточнить" gives its search,
#    and so does a second thumbnail of the ranking made with it.
# 2. A thresholds import saved by Ctrl+S, then a project opened by Ctrl+O from the
#    thresholds window, then "BIN с палитрой": the project's picture, not the import;
#    then its ranking's first thumbnail, as the batch program ranks the project's picture.
# usage: coherence-test.sh PROGRAM CLI SOURCE_DIR WORKDIR
set -eu
program=$1
cli=$2
source=$3
work=$4
. "$(dirname "$0")/xserver.sh"
. "$(dirname "$0")/driving.sh"
export XDG_DATA_HOME="$work/data"
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

geometry() {  # NAME: "X Y W H" of the visible window named exactly NAME
    id=$(xdotool search --onlyvisible --name "^$1\$" | head -n 1)
    [ -n "$id" ] || return 1
    xwininfo -id "$id" | awk '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}



activate() {  # NAME
    xdotool windowactivate --sync "$(xdotool search --onlyvisible --name "^$1\$" | head -n 1)" \
        2>/dev/null || true
    sleep 0.3
}

file_menu() {  # ITEM [SUBITEM], as windows-test.sh
    activate '.*Tovik Images\*?'
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

choose_file() {  # CAPTION PATH
    wait_window "$1"
    sleep 0.3
    xdotool type --delay 10 "$2"
    keys Return
}

export_bin() {  # PATH: "BIN с палитрой", the success box closed
    file_menu 3 1
    choose_file 'Сохранить как' "$1"
    wait_window 'Экспорт'
    keys Return
    sleep 0.3
    [ -s "$1" ] || fail "the export wrote nothing to $1"
}

same() {  # OURS THEIRS WHAT
    cmp "$1" "$2" >/dev/null || fail "$3: $1 differs from the batch program's $2"
    echo "$3: the same bytes as the batch program"
}

photo="$source/samples/photo-like.jpg"
wait_window 'Tovik Images'

# 1. The review's road.
file_menu 4 6
choose_file 'Открыть' "$photo"
wait_window 'Палитра'
sleep 0.5
set -- $(geometry 'Tovik Images\*')
# "Подобрать палитру" beside the palette list, in the tool bar under the menu (its middle
# also with a tool strip at the left).
xdotool mousemove $(($1 + 640)) $(($2 + 42)) click 1
wait_window 'Подобрать палитру'
sleep 3
set -- $(geometry 'Подобрать палитру')
# The first thumbnail: the first of four columns, the first of four rows under the status.
xdotool mousemove $(($1 + 9 + ($3 - 18) / 8)) $(($2 + 32 + ($4 - 40) / 8)) click 1
sleep 0.5
export_bin "$work/road.bin"
chosen=$("$cli" convert "$photo" --method diffusion --palette auto -o "$work/road-batch.bin" \
    --format bin-palette | awk '$1 == "palette" { print $2 }')
same "$work/road.bin" "$work/road-batch.bin" "Палитра…, the first thumbnail, BIN"

# 3. "Уточнить" in the same window: the diffusion refined in the background gives the
# batch program's search.
set -- $(geometry 'Палитра')
xdotool mousemove $(($1 + 80)) $(($2 + 102)) click 1
sleep 3
export_bin "$work/refined.bin"
"$cli" convert "$photo" --method search --palette "$chosen" -o "$work/refined-batch.bin" \
    --format bin-palette >/dev/null
same "$work/refined.bin" "$work/refined-batch.bin" "Уточнить, BIN"

# 4. With "Уточнить" checked, the ranking's second thumbnail is refined once taken: the
# batch program's search with that palette.
set -- $(geometry 'Tovik Images\*')
xdotool mousemove $(($1 + 640)) $(($2 + 42)) click 1
sleep 3
set -- $(geometry 'Подобрать палитру')
xdotool mousemove $(($1 + 9 + 3 * ($3 - 18) / 8)) $(($2 + 32 + ($4 - 40) / 8)) click 1
sleep 3
export_bin "$work/second.bin"
found=
for p in 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15; do
    [ "$p" = "$chosen" ] && continue
    "$cli" convert "$photo" --method search --palette "$p" -o "$work/second-$p.bin" \
        --format bin-palette >/dev/null
    cmp -s "$work/second.bin" "$work/second-$p.bin" && found=$p
done
[ -n "$found" ] || fail "the second thumbnail with Уточнить is no batch search of another palette"
echo "the second thumbnail with Уточнить: the batch program's search with palette $found"
chosen=$found  # the palette the window now has

# 2. A project opened after an import.
"$cli" convert "$source/samples/cga.bmp" --method thresholds --palette 5 -o "$work/other.bip"
"$cli" convert "$source/samples/cga.bmp" --method thresholds --palette 5 \
    -o "$work/other-batch.bin" --format bin-palette
file_menu 4 4
choose_file 'Открыть' "$photo"
wait_window 'Пороги'
activate 'Пороги'
keys ctrl+s
choose_file 'Сохранить как' "$work/import.bip"
sleep 0.5
# The import keeps the palette the list shows: the one chosen above.
"$cli" convert "$photo" --method thresholds --palette "$chosen" -o "$work/import-batch.bip"
same "$work/import.bip" "$work/import-batch.bip" "thresholds import saved by Ctrl+S"
activate 'Пороги'
keys ctrl+o
choose_file 'Открыть' "$work/other.bip"
wait_window 'other.bip — Tovik Images'
export_bin "$work/other.bin"
same "$work/other.bin" "$work/other-batch.bin" "the opened project, BIN"

# The ranking of the opened project ranks the project's own picture, at its size.
"$cli" convert "$source/samples/cga.bmp" --method thresholds --palette 5 -o "$work/other.bmp"
"$cli" convert "$work/other.bmp" --method thresholds --palette auto \
    -o "$work/ranked-batch.bin" --format bin-palette >/dev/null
set -- $(geometry 'other.bip — Tovik Images')
xdotool mousemove $(($1 + 640)) $(($2 + 42)) click 1
sleep 3
set -- $(geometry 'Подобрать палитру')
xdotool mousemove $(($1 + 9 + ($3 - 18) / 8)) $(($2 + 32 + ($4 - 40) / 8)) click 1
sleep 0.5
export_bin "$work/ranked.bin"
same "$work/ranked.bin" "$work/ranked-batch.bin" "the opened project's ranking, first thumbnail, BIN"
echo "PASS"
