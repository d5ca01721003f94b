"""The real game on an X server with a window manager, as a person plays it."""
import os
import random
import shutil
import signal
import subprocess
import time
from pathlib import Path

import pytest
from PIL import Image
from Xlib import X

from e2e.driver import BLACK, RED, wait, wine_environment


def test_window_and_view(game):
    """The window as it opens, at any display scale: a view filled with the lit
    room and no black, the green ring at its centre, the red model swinging
    through it; Options > Grid and > Crosshair swap them. Without a sound device
    the game's one line about it is all its start prints (on Windows nothing:
    the system plays its sounds without one)."""
    game.start(SDL_DISKAUDIOFILE=str(game.work / "no/device.raw"))
    # 500 of the desktop's scaled pixels across, less the frame's borders.
    assert abs(game.frame.w - 500 * game.scale) <= 10 * game.scale, f"the window {game.frame} at scale {game.scale}"
    words = game.sound_off_words
    wait(10, game.log, lambda log: words in log, "no word that the sound is off")
    assert game.log().rstrip("\n") == words, "the start printed more"
    image, v, (x, y) = game.shot("start"), game.view, game.centre
    assert game.count(image, BLACK) == 0, "black in the view"
    # The ring's radius is 0.2 of the 1.75 units that half the view spans 3.5 units ahead.
    assert game.green_near(image, x + v.w // 2 * 20 // 175, y), "no ring at its radius"
    probe = x + v.w // 2 * 45 // 175  # on the grid's axis, beyond the ring
    assert not game.green_near(image, probe, y), "green beyond the ring's cross"
    assert game.is_grey(image, v.x + 3, v.y + 3), "the room is not lit grey at the top left"

    # The model swings through the view about once a second.
    def red_mask():
        image = game.shot("model")
        small = image.crop(v.corners()).resize((v.w // 4, v.h // 4), Image.NEAREST)
        return [RED(*pixel) for pixel in small.getdata()], game.count(image, RED)

    first, _ = red_mask()
    wait(10, red_mask, lambda seen: seen[0] != first and seen[1] > 50, "the red model did not show moving")

    grid = lambda: game.green_near(game.shot("grid"), probe, y)
    game.x.key("Alt_L+o", "g")
    wait(3, grid, failure="no grid after Options > Grid")
    game.x.key("Alt_L+o", "c")
    wait(3, grid, lambda shown: not shown, "the grid stayed after Options > Crosshair")
    game.close()


def test_keys(game):
    """The polled keys with real key events: with a Shift key held, a tap of
    Down sinks one step (a bigger change of the view than a step back) and one
    of Up rises again, also after the other Shift key was let go; Up held walks;
    Ctrl fires, and goes on firing while Z (Ctrl+Z is an accelerator) looks
    down. A key let go while a menu is open is up."""
    game.start()
    keys = game.x
    start = game.edge("start")
    keys.keydown("Shift_R", "Shift_L")
    keys.keyup("Shift_L")
    keys.key("Down")
    wait(5, game.edge, lambda e: e < start - 12, f"Down with the right Shift held did not sink below {start - 12}")
    keys.key("Up")
    wait(5, game.edge, lambda e: e > start - 6, f"Up with the right Shift held did not rise above {start - 6}")
    keys.keyup("Shift_R")
    sunk = game.edge("sunk")
    # Held for a moment, not until a screenshot shows the walk: on a busy
    # machine that takes long enough to walk out of the room.
    keys.keydown("Up")
    time.sleep(0.2)
    keys.keyup("Up")
    wait(5, game.edge, lambda e: e != sunk, "holding Up did not walk")

    # Right let go while a menu has the keyboard: the turn stops all the same.
    keys.keydown("Right")
    keys.key("F10")
    wait(5, game.menu_open, failure="F10 opened no menu")
    keys.keyup("Right")
    keys.key("Escape")
    wait(5, game.steady, game.still, "Right let go in a menu: the view goes on turning")
    assert game.still(game.steady()), "Right let go in a menu: the view turns again"

    game.silence()
    keys.keydown("Control_R")
    wait(3, game.sound_played, failure="Ctrl played no sound")
    level = game.edge("level")
    keys.keydown("z")
    wait(5, game.edge, lambda e: e < level - 5, "Z with Ctrl held did not look down")
    game.silence()
    wait(3, game.sound_played, failure="Ctrl held with Z played no sound")
    keys.keyup("z", "Control_R")
    game.close()


def test_mouse_look(game):
    """A click holds the mouse, at any display scale: the pointer stays inside
    the view, also after a menu, and moving it turns the view; the left button
    fires. Escape lets it go."""
    game.start()
    x = game.x
    inside = lambda at: game.view.contains(*at)
    x.move(*game.centre)
    x.click()
    x.move(5000, 5000)
    wait(3, x.pointer, inside, lambda: f"the captured pointer left the view {game.view}")

    x.move(*game.centre)
    before, _ = wait(5, game.steady, game.still, "the view never came to rest")
    x.move_by(0, 40)  # down: the view tilts down
    wait(5, game.edge, lambda e: e < before - 5,
         lambda: f"moving the mouse down did not tilt the view; pointer at {x.pointer()}")

    game.silence()
    x.click()
    wait(3, game.sound_played, failure="the left button did not fire in mouse-look")

    # A menu takes the pointer while it is open; mouse-look holds it again after.
    x.key("F10")
    wait(5, game.menu_open, failure="F10 opened no menu")
    x.key("Escape")
    wait(5, game.menu_open, lambda shown: not shown, "Escape did not close the menu")
    x.move(5000, 5000)
    wait(3, x.pointer, inside, "after a menu the pointer left the view")

    x.key("Escape")
    wait(3, lambda: x.move(3, 3) or x.pointer(), lambda at: at == (3, 3), "after Escape the pointer is still held")
    game.close()


def test_move_during_mouse_look(game):
    """A window moved while mouse-look holds the pointer (by the desktop, or by
    the keys that move windows) holds it where the view is now, and again after
    a menu has taken the pointer and given it back."""
    game.start()
    x = game.x
    x.move(*game.centre)
    x.click()
    game.window.configure(x=300, y=200)
    game.frame, game.view, game.centre = wait(10, game.settled, lambda seen: seen[1] and seen[0][0].x >= 300,
                                              "the window did not move")[0]
    for after in ("the move", "a menu"):
        if after == "a menu":
            x.key("F10")
            wait(5, game.menu_open, failure="F10 opened no menu")
            x.key("Escape")
            wait(5, game.menu_open, lambda shown: not shown, "Escape did not close the menu")
        for far in ((5000, 5000), (0, 0)):
            x.move(*far)
            wait(3, x.pointer, lambda at: game.view.contains(*at), f"after {after}, {far} left the view {game.view}")
    x.key("Escape")
    game.close()


def test_left_handed_mouse(game):
    """Windows, with the mouse's buttons swapped for the left hand: holding the
    primary button, the right one, fires in mouse-look. (Wine swaps only what
    the system reports, not the button messages: the click that starts
    mouse-look is still the left one there.)"""
    game.set_user_setting(r"HKCU\Control Panel\Mouse", "SwapMouseButtons", "REG_SZ", "1")
    game.start()
    x = game.x

    def quiet():  # the shot of the click itself played out
        game.silence()
        time.sleep(0.5)
        return game.sound_played() == 0

    def fires():
        """A click in the view (which on a busy desktop may come before the game
        is ready for it), then the primary button held once all is quiet."""
        x.move(*game.centre)
        x.click()
        wait(5, quiet, failure="the click's shot never ended")
        x.button(3, True)
        try:
            return wait(1, game.sound_played, failure="")
        except AssertionError:
            return 0
        finally:
            x.button(3, False)

    wait(10, fires, failure="the primary button held in mouse-look did not fire")
    x.key("Escape")
    game.close()


def test_about_box(game):
    """Help > About opens the About box as a dialog of the main window, centred
    over it, while the game runs on behind it and reads the keys; Escape closes
    it. Stopping the game with the box open still ends it cleanly."""
    game.start()
    x = game.x
    about = lambda: x.windows("About Bravok")
    x.key("Alt_L+h", "a")
    box = wait(10, about, failure="no About box")[0]
    assert box.get_wm_transient_for(), "the box is not a dialog of the window"
    b, f = x.box(box), game.frame
    assert abs(b.x + b.w // 2 - f.x - f.w // 2) < 20, f"the box at {b} is not centred over the window at {f}"
    turn = game.edge("turn")
    x.keydown("Right")  # the game reads the keys while the box has them
    wait(5, game.edge, lambda e: e != turn, "Right held with the About box open did not turn the view")
    x.keyup("Right")
    x.key("Escape")
    wait(5, about, lambda boxes: not boxes, "Escape did not close the About box")

    x.key("Alt_L+h", "a")
    wait(10, about, failure="no About box the second time")
    game.end_from_outside("with the About box open")


def test_focus_pause(game):
    """Another window taking the focus pauses the game and giving it back
    resumes it; closing the window ends the game at once, even paused with the
    mouse held."""
    game.start()
    x = game.x
    view = lambda: game.shot("view").crop(game.view.corners()).tobytes()

    def changes():
        """Whether the view comes to differ within a few seconds: shots at random
        moments, out of step with the model's swing."""
        before = view()
        for _ in range(12):
            time.sleep(random.randrange(5) / 10)
            if view() != before:
                return True
        return False

    assert changes(), "the view never changed while running"
    game.others.append(subprocess.Popen(["xmessage", "-name", "other", "-geometry", "200x100+600+500", "another"]))
    other = wait(10, lambda: x.windows("other"), failure="no other window")[0]
    wait(10, lambda: x.activate(other) or x.active(), lambda active: active == other.id, "the other took no focus")
    wait(10, changes, lambda changed: not changed, "the game went on while another window had the focus")
    assert not changes(), "the game went on while another window had the focus"

    wait(10, game.take_focus, lambda active: active == game.window.id, "the game took no focus back")
    assert changes(), "the game did not resume with the focus"

    x.move(*game.centre)
    x.click()
    x.activate(other)
    game.close()


def test_no_model(game):
    """Started in a folder without cylinder.vtx the game runs without the model;
    File > Exit ends it, and, with nothing to keep, writes no settings in a new
    home folder."""
    home, empty = game.work / "new-account", game.work / "empty"
    home.mkdir()
    empty.mkdir()
    game.start(empty, HOME=str(home), XDG_CONFIG_HOME=None)
    image, v = game.shot("no-model"), game.view
    assert game.count(image, RED) == 0, "red in the view without a mesh file"
    assert game.is_grey(image, v.x + 3, v.y + 3), "no room"
    game.x.key("Alt_L+f", "x")
    game.expect_clean_end("File > Exit")
    assert not (home / ".config/Bravok.conf").exists(), "settings written with nothing to keep"


def test_no_opengl(game):
    """On a display without OpenGL the game says why, in a message box and on
    its error output, and ends with a failure status instead of crashing."""
    box = game.first_window(game.data, {}, 30, "no message box")
    # Closed through the window manager, which needs no keyboard focus; a slow
    # start may need another try.
    for _ in range(5):
        game.x.close(box)
        if (status := game.ended(2)) is not None:
            break
    assert status is not None and 0 < status < 128, f"status {status}: expected a plain failure"
    assert "OpenGL" in game.log(), "no word of OpenGL on the error output"
    game.end_own_desktop()


def test_signal_stall(game):
    """A game whose window is stuck (here: its X server stopped) still ends on
    the second SIGTERM, at once and by the signal's own action."""
    game.start()
    server = int(os.environ["XVFB_PID"])
    os.kill(server, signal.SIGSTOP)
    try:
        game.proc.send_signal(signal.SIGTERM)
        # Taking the first signal gives SIGTERM its own action back.
        status = Path(f"/proc/{game.proc.pid}/status")
        caught = lambda: int(status.read_text().split("SigCgt:")[1].split()[0], 16) >> 14 & 1
        try:
            wait(2, caught, lambda bit: bit == 0)
        except AssertionError:
            pass
        game.proc.send_signal(signal.SIGTERM)
        status = game.ended(1)
    finally:
        os.kill(server, signal.SIGCONT)
    assert status is not None, "the game did not end within a second of the second SIGTERM"
    assert status == -signal.SIGTERM, f"the game ended with status {status}, not by SIGTERM"


@pytest.mark.parametrize("backend", ["x11", "wayland", None])
def test_no_display(option, backend):
    """Without an X display the game says in one line that it needs X11 or
    XWayland, also where GDK_BACKEND asks for Wayland (never GTK's word on
    DISPLAY), and fails instead of crashing."""
    env = {name: value for name, value in os.environ.items() if name not in ("DISPLAY", "WAYLAND_DISPLAY")}
    done = subprocess.run([option.game], env=env | {"GDK_BACKEND": backend} if backend else env,
                          capture_output=True, text=True)
    assert 0 < done.returncode < 128, f"status {done.returncode}: expected a plain failure"
    output = (done.stdout + done.stderr).strip()
    assert "X11 or XWayland" in output and "\n" not in output, f"not one line on what it needs: {output}"


def test_wayland_backend(game):
    """GDK_BACKEND=wayland where an X display is there: the game runs through X11
    and says so in one line."""
    game.start(GDK_BACKEND="wayland")
    lines = [line for line in game.log().splitlines() if "GDK_BACKEND" in line]
    assert len(lines) == 1 and "X11" in lines[0], f"no one line on running through X11: {game.log()}"
    game.close()


# Keys by keycode: the keys at A's, Z's, Q's and W's places on a US keyboard,
# NumLock and the keypad's 8, 2, 4 and 6.
A, Z, Q, W, NUM_LOCK, KP_8, KP_2, KP_4, KP_6 = 38, 52, 24, 25, 77, 80, 88, 83, 85


def hold(game, keycode, seconds=0.3):
    """Holds the key for a few of the game's ticks."""
    game.x.fake(X.KeyPress, keycode)
    time.sleep(seconds)
    game.x.fake(X.KeyRelease, keycode)


def looks(game, keycode, up):
    """Holding the key tilts the view up (the ceiling's edge comes down) or down."""
    before = game.edge("before")
    game.x.fake(X.KeyPress, keycode)
    try:
        good = (lambda e: e > before + 5) if up else (lambda e: 0 < e < before - 5)
        wait(5, game.edge, good, f"keycode {keycode} did not look {'up' if up else 'down'} from edge {before}")
    finally:
        game.x.fake(X.KeyRelease, keycode)


def stays(game, keycode, what):
    before = game.edge("before")
    hold(game, keycode)
    assert game.edge("after") == before, f"keycode {keycode} {what}"


@pytest.mark.parametrize("first, layout, up, down, not_a", [
    # No Latin letters: the keys at A's and Z's places on a US keyboard.
    pytest.param("ru", "ru", A, Z, None, id="ru"),
    # Switched to AZERTY while the game runs: the keys that show A and Z; the
    # one that shows Q, at A's place on a US keyboard, is not A.
    pytest.param("us", "fr", Q, W, A, id="fr"),
])
def test_layout(game, first, layout, up, down, not_a):
    """A and Z look up and down in the keyboard layout in use, also in one
    switched to while the game runs."""
    subprocess.run(["setxkbmap", first], check=True)
    game.start()
    subprocess.run(["setxkbmap", layout], check=True)
    wait(5, game.steady, game.still, "the view never came to rest")
    if not_a:
        stays(game, not_a, f"(Q on {layout}) tilted the view")
    looks(game, down, up=False)
    looks(game, up, up=True)
    game.close()


def test_keypad(game):
    """The keypad's arrows walk and turn with NumLock off; with NumLock on its
    digits do nothing."""
    game.start()
    num_lock = lambda: game.x.d.get_keyboard_control().led_mask & 2 != 0
    assert not num_lock(), "NumLock is on at the start"
    before = game.edge("before")
    hold(game, KP_8)
    wait(5, game.edge, lambda e: e != before, "keypad 8 did not walk with NumLock off")
    hold(game, KP_2)
    hold(game, NUM_LOCK, 0.05)
    wait(3, num_lock, failure="NumLock did not come on")
    wait(5, game.steady, game.still, "the view never came to rest")
    for keycode in (KP_8, KP_2, KP_4, KP_6):
        stays(game, keycode, "moved the view with NumLock on")
    hold(game, NUM_LOCK, 0.05)
    wait(3, num_lock, lambda on: not on, "NumLock did not go off")
    before = game.edge("before")
    hold(game, KP_4)
    wait(5, game.edge, lambda e: e != before, "keypad 4 did not turn with NumLock off")
    game.close()


def test_default_sound(game):
    """Windows: a shot whose sound file cannot be played plays the system's
    default sound. The test run's Wine prefix is given one (the shot from the
    data folder), and the game starts in a folder that has no sound file."""
    key = r"HKCU\AppEvents\Schemes\Apps\.Default\SystemDefault\.Current"

    def wine(*args):
        return subprocess.run(["wine", *args], env=wine_environment(), capture_output=True, text=True, check=True)

    wine("reg", "add", key, "/ve", "/d", wine("winepath", "-w", game.data / "rifle_shot.wav").stdout.strip(), "/f")
    try:
        (game.work / "game").mkdir()
        shutil.copy(game.data / "cylinder.vtx", game.work / "game")
        game.start(game.work / "game")
        game.silence()
        game.x.keydown("Control_R")
        wait(3, game.sound_played, failure="a missing sound file played no default sound")
        game.x.keyup("Control_R")
        game.close()
    finally:
        wine("reg", "delete", key, "/f")
