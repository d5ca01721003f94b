# windows_installer.sh SETUP_EXE: the Windows installer under Wine, run silently
# (/S) in the test run's Wine prefix: it puts the game, its model and its sound
# into one folder under Program Files, registers its uninstaller in Add/Remove
# Programs, and its Start-menu shortcut starts the game in that folder (window
# and crosshair); the silent uninstall leaves nothing behind.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
setup=$1 work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dir="$WINEPREFIX/drive_c/Program Files/Bravok"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Bravok.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Bravok'
wait_for() { # seconds, then the command to wait for; each try asks afresh
    local deadline=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

wine "$setup" /S || fail "the installer failed"
[[ $(ls "$dir") == $'bravok.exe\ncylinder.vtx\nrifle_shot.wav\nuninstall.exe' ]] ||
    fail "installed: $(ls "$dir")"
wine reg query "$key" /v QuietUninstallString | grep -qF '"C:\Program Files\Bravok\uninstall.exe" /S' ||
    fail "no uninstaller in Add/Remove Programs"

# The game as the Start menu starts it: in its folder, where it finds its model.
export BRAVOK_FRAME_DUMP=$work/frame.ppm
wine start /unix "$shortcut"
wait_for 60 xdotool search --onlyvisible --name '^Bravok$' || fail "no game window"
pid=$(xdotool search --onlyvisible --name '^Bravok$' getwindowpid | head -1)
[[ $(readlink "/proc/$pid/cwd") == "$dir" ]] || fail "the game runs in $(readlink "/proc/$pid/cwd")"
crosshair() {
    [[ $(convert "$BRAVOK_FRAME_DUMP" -gravity center -crop 5x5+0+0 +repage \
        -fx 'g>0.6 && r<0.35 && b<0.35' -format '%[fx:maxima>0]' info:) == 1 ]]
}
wait_for 20 crosshair || fail "no crosshair at the view's centre"
wmctrl -c Bravok
wait_for 10 eval '! kill -0 $pid' || fail "the game did not end when closed"

wine "$dir/uninstall.exe" /S || fail "the uninstaller failed"
wait_for 30 eval '[[ ! -e $dir && ! -e $shortcut ]]' || fail "left behind: $(ls "$dir" "$shortcut")"
! wine reg query "$key" >/dev/null 2>&1 || fail "still in Add/Remove Programs"
