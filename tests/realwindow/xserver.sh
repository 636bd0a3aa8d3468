# Sourced by the real-window tests, with $work set and the test's own arguments in "$@":
# makes the private work folder, runs the test again inside a fresh Xvfb when it is not
# in one yet, and points Qt at that X server with device pixels equal to view pixels.
# TOVIK_SCREEN chooses the screen's size (1600x1000 when unset).
rm -rf "$work"
mkdir -p "$work"
chmod 700 "$work"

if [ -z "${TOVIK_IN_XVFB:-}" ]; then
    export TOVIK_IN_XVFB=1
    exec xvfb-run -a -s "-screen 0 ${TOVIK_SCREEN:-1600x1000}x24" "$0" "$@"
fi

export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 XDG_RUNTIME_DIR="$work"
# A data folder of the test's own: a recovery file left by one run (the program is
# killed at the end) is never offered to the next, nor to the user.
export XDG_DATA_HOME="$work/data"
