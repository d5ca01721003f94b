# Windows only: a shot whose sound file cannot be played plays the system's
# default sound. The test run's Wine prefix is given one (the shot from the
# data folder), and the game starts in a folder that has no sound file.
source "$(dirname "$0")/lib.sh"
wine_run() { "$(dirname "$0")/../../scripts/wine-run.sh" "$@" >/dev/null 2>&1; }
key='HKCU\AppEvents\Schemes\Apps\.Default\SystemDefault\.Current'
wine_run reg add "$key" /ve /d "$(winepath -w "$DATA/rifle_shot.wav")" /f ||
    fail "could not set the default sound"
mkdir "$WORK/game" && cp "$DATA/cylinder.vtx" "$WORK/game/"
start_game "$WORK/game"
silence_sound
xdotool keydown Control_R
wait_for 3 sound_played || fail "a missing sound file played no default sound"
xdotool keyup Control_R
close_game
wine_run reg delete "$key" /f
