#!/bin/sh
# The floors check passes on the project and catches a planted back-arrow and circles.
# usage: check-layers-test.sh SOURCE_DIR WORKDIR
set -eu
check="$1/scripts/check-layers"
work=$2
"$check" "$1"

rm -rf "$work" && mkdir -p "$work/picture" "$work/convert" "$work/ui"
printf '#include "convert/b.h"\n' >"$work/picture/a.h"
printf '#include "picture/a.h"\n' >"$work/convert/b.h"
printf '#include "ui/d.h"\n' >"$work/ui/c.cpp"
printf '#include "ui/c.h"\n' >"$work/ui/d.h"
if "$check" "$work" >"$work/out.txt"; then
    echo "FAIL: the planted back-arrow passed" >&2
    exit 1
fi
for expected in "up a floor: picture/a includes convert/b" \
    "circle of folders: convert <-> picture" "circle of files: ui/c <-> ui/d" \
    "1 includes up a floor, 1 circles of folders, 2 circles of files"; do
    grep -qF "$expected" "$work/out.txt" || {
        echo "FAIL: missing \"$expected\" in:" >&2
        cat "$work/out.txt" >&2
        exit 1
    }
done
echo "check-layers: the planted back-arrow and circles were caught"
