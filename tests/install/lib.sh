# Shared by the install tests, which run on a virtual X server.
fail() { echo "FAIL: $*" >&2 && exit 1; }

# Waits for the game's window, checks that the program $1 shows it from the
# folder $2 (the case: $3), and closes it again.
expect_game() {
    local pid= deadline=$((SECONDS + 30 * ${BRAVOK_E2E_SLOWDOWN:-1}))
    until pid=$(xdotool search --onlyvisible --name '^Bravok$' getwindowpid 2>/dev/null | head -1); do
        ((SECONDS < deadline)) || fail "$3: no game window"
        sleep 0.1
    done
    [[ $(readlink "/proc/$pid/exe") == "$1" && $(readlink "/proc/$pid/cwd") == "$2" ]] ||
        fail "$3: the game is $(readlink "/proc/$pid/exe"), in $(readlink "/proc/$pid/cwd")"
    kill "$pid"
    while xdotool search --onlyvisible --name '^Bravok$' >/dev/null 2>&1; do sleep 0.1; done
}
