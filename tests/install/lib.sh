# Shared by the install tests, which run on a virtual X server.
fail() { echo "FAIL: $*" >&2 && exit 1; }

# Waits for the game's window, checks that the program $1 shows it from the
# folder $2 (the case: $3), and ends it, waiting until it has ended.
expect_game() {
    local pid= limit=$((30 * ${BRAVOK_E2E_SLOWDOWN:-1})) deadline
    deadline=$((SECONDS + limit))
    until pid=$(xdotool search --onlyvisible --name '^Bravok$' getwindowpid 2>/dev/null | head -1); do
        ((SECONDS < deadline)) || fail "$3: no game window"
        sleep 0.1
    done
    [[ $(readlink "/proc/$pid/exe") == "$1" && $(readlink "/proc/$pid/cwd") == "$2" ]] ||
        fail "$3: the game is $(readlink "/proc/$pid/exe"), in $(readlink "/proc/$pid/cwd")"
    kill "$pid"
    deadline=$((SECONDS + limit))
    # Ended: gone, or a zombie its parent (the launcher's shell here) has yet to reap.
    while [[ -e /proc/$pid ]] && ! grep -q '^State:.*Z' "/proc/$pid/status" 2>/dev/null; do
        ((SECONDS < deadline)) || fail "$3: the game did not end"
        sleep 0.1
    done
}
