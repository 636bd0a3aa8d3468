#!/bin/sh
# Installs the built tree into a throw-away folder and checks what a desktop reads from
# it: the menu entry and AppStream metadata pass Debian's validators, the MIME type of
# projects is known, every icon has its size, the manual pages format without warnings,
# both programs report the project's version, and the installed desktop program takes a
# file named on its command line: a project opens, a picture is imported.
# usage: install-test.sh BUILD_DIR WORK_DIR VERSION SAMPLES_DIR
set -eu
build=$1
work=$2
version=$3
samples=$(cd "$4" && pwd)
fail() { echo "install-test: $*" >&2; exit 1; }

rm -rf "$work"
cmake --install "$build" --prefix "$work/usr" >/dev/null
cd "$work/usr"

desktop-file-validate share/applications/tovik-images.desktop ||
    fail "desktop-file-validate reports errors"
# Errors fail the validation; warnings and hints are shown and let it pass.
appstreamcli validate --no-net --pedantic share/metainfo/tovik-images.metainfo.xml >../appstream.txt 2>&1 ||
    true
cat ../appstream.txt
if grep -q '^E:' ../appstream.txt; then
    fail "appstreamcli validate reports errors"
fi

update-mime-database share/mime >/dev/null 2>&1
grep -qx '50:application/x-tovik-images-project:\*\.bip' share/mime/globs2 ||
    fail ".bip is not the project type in the installed MIME database"

for size in 16 32 48 64 128 256; do
    file -b share/icons/hicolor/${size}x$size/apps/tovik-images.png |
        grep -q "^PNG image data, $size x $size, 8-bit/color RGBA" ||
        fail "the ${size}x$size icon is not a PNG of that size"
done
grep -q '<svg ' share/icons/hicolor/scalable/apps/tovik-images.svg || fail "no SVG icon"

for page in tovik-images tovik-images-cli; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l share/man/man1/$page.1.gz 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "manual page $page: $warnings"
done

[ "$(bin/tovik-images-cli --version)" = "tovik-images-cli $version" ] ||
    fail "tovik-images-cli --version: $(bin/tovik-images-cli --version)"
[ "$(bin/tovik-images --version)" = "tovik-images $version" ] ||
    fail "tovik-images --version: $(bin/tovik-images --version)"
# The main window's title names an open project and marks an imported picture unsaved.
printf 'PRJ\010\000\000\000\010\000\000\000\003\000\000\000' >"$work/given.bip"
head -c 64 /dev/zero >>"$work/given.bip"
mkdir -m 700 "$work/runtime" "$work/data"
for given in "$work/given.bip:given.bip — Tovik Images" "$samples/cga.bmp:Tovik Images\*"; do
    file=${given%%:*}
    title=${given#*:}
    # A data folder of its own: no recovery file of the user's is offered, and none is
    # left behind.
    XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb xvfb-run -a sh -c '
        "$1" "$2" & program=$!
        for i in $(seq 100); do
            if xdotool search --name "^$3\$" >/dev/null 2>&1; then
                kill $program
                exit 0
            fi
            sleep 0.1
        done
        kill $program
        exit 1' sh bin/tovik-images "$file" "$title" ||
        fail "tovik-images $file: no window titled '$title'"
done
echo "install-test: passed"
