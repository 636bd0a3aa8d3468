# Sourced by the real-window tests that drive the program by the keyboard; each defines
# its own fail().

wait_window() {  # NAME
    timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" >/dev/null ||
        fail "the window \"$1\" did not appear"
}

keys() {
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        sleep 0.15
    done
}
