# Sourced by the real-window tests that drive the program by the keyboard; each defines
# its own fail().

wait_window() {  # NAME
    # A window that closes while xdotool walks the tree ends it with an X error (a
    # program just stopped, a dialog just shut): only the timeout means no window.
    tries=0
    while :; do
        status=0
        timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" >/dev/null 2>&1 ||
            status=$?
        [ "$status" -ne 0 ] || return 0
        tries=$((tries + 1))
        [ "$status" -ne 124 ] && [ "$tries" -lt 5 ] || fail "the window \"$1\" did not appear"
        sleep 0.3
    done
}

keys() {
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        sleep 0.15
    done
}
