"""The real game on this X server, driven as a person drives it: keys by keycode
and the pointer through XTEST, judged by screenshots held in memory. Every wait
takes fresh evidence on each try and, when it fails, says what it last saw."""
import os
import shlex
import shutil
import signal
import subprocess
import tempfile
import time
from collections import namedtuple
from pathlib import Path

from PIL import Image, ImageGrab
from Xlib import X, XK, display, error
from Xlib.ext import xtest
from Xlib.protocol import event

ROOT = Path(__file__).resolve().parents[2]
SLOWDOWN = float(os.environ.get("BRAVOK_E2E_SLOWDOWN", "1"))  # sanitizer builds and Wine run slower


def wait(seconds, look, good=bool, failure="the wait ran out"):
    """Calls look() until good() holds for what it returns, and returns that."""
    deadline = time.monotonic() + seconds * SLOWDOWN
    while True:
        try:
            if good(seen := look()):
                return seen
        except (error.XError, OSError, ValueError) as problem:
            seen = problem
        if time.monotonic() > deadline:
            raise AssertionError(f"{failure() if callable(failure) else failure} (last seen: {seen!r})")
        time.sleep(0.05)


def wine_environment(**extra):
    """This environment with the one every Windows program runs in under Wine."""
    exports = [line.split(" ", 1)[1] for line in (ROOT / "scripts/wine-env.sh").open() if line.startswith("export ")]
    return os.environ | dict(shlex.split(line)[0].split("=", 1) for line in exports) | extra


def read_frame(path):
    """The frame the game saved (BRAVOK_FRAME_DUMP): where its view lies on the
    screen and how high it is with the status bar's strip, and the picture."""
    _, comment, size, _, pixels = Path(path).read_bytes().split(b"\n", 4)
    return tuple(map(int, comment.split()[2:])), Image.frombytes("RGB", tuple(map(int, size.split())), pixels)


# Pixel rules, on channels of 0 to 255, and how many pixels of a picture keep one.
RED = lambda r, g, b: r > 0.25 * 255 and g < 0.12 * 255 and b < 0.12 * 255
GREEN = lambda r, g, b: g > 0.6 * 255 and r < 0.35 * 255 and b < 0.35 * 255
BLACK = lambda r, g, b: max(r, g, b) < 0.02 * 255
GREY = lambda r, g, b: r > 0.12 * 255 and r == g == b
MENU_TITLE = lambda r, g, b: r < 0.25 * 255 and 0.5 * 255 < g < 0.7 * 255 and b > 0.9 * 255
def matching(image, rule): return sum(1 for pixel in image.getdata() if rule(*pixel))


class Box(namedtuple("Box", "x y w h")):
    def contains(self, x, y): return self.x <= x < self.x + self.w and self.y <= y < self.y + self.h
    def corners(self): return (self.x, self.y, self.x + self.w, self.y + self.h)


class X11:
    """One connection to the X server: windows, keys, pointer and screen."""

    def __init__(self):
        self.d = display.Display(os.environ["DISPLAY"])
        self.root = self.d.screen().root
        self.held = {}  # keys and buttons pressed and not let go: (kind, detail) -> its release

    def property(self, window, name, kind=X.AnyPropertyType):
        found = window.get_full_property(self.d.intern_atom(name), kind)
        return found and found.value

    def windows(self, title, depth=99, under=None):
        """The viewable windows of that title, at most depth levels below the root."""
        found = []
        for child in (under or self.root).query_tree().children:
            try:
                name = self.property(child, "_NET_WM_NAME", self.d.intern_atom("UTF8_STRING")) or child.get_wm_name()
                if child.get_attributes().map_state == X.IsViewable and name in (title, title.encode()):
                    found.append(child)
                found += self.windows(title, depth - 1, child) if depth > 1 else []
            except error.BadWindow:  # gone meanwhile
                pass
        return found

    def box(self, window):
        at, size = self.root.translate_coords(window, 0, 0), window.get_geometry()
        return Box(at.x, at.y, size.width, size.height)

    def pid(self, window): return self.property(window, "_NET_WM_PID")[0]
    def active(self): return (self.property(self.root, "_NET_ACTIVE_WINDOW") or [0])[0]
    def activate(self, window): self.ask_wm(window, "_NET_ACTIVE_WINDOW", 2, X.CurrentTime)
    def close(self, window): self.ask_wm(window, "_NET_CLOSE_WINDOW", X.CurrentTime, 2)

    def ask_wm(self, window, what, *data):
        message = event.ClientMessage(window=window, client_type=self.d.intern_atom(what), data=(32, [*data, 0, 0, 0]))
        self.root.send_event(message, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
        self.d.sync()

    def fake(self, kind, detail=0, x=0, y=0):
        xtest.fake_input(self.d, kind, detail, x=x, y=y)
        self.d.sync()
        if kind in (X.KeyPress, X.ButtonPress):
            self.held[kind, detail] = kind + 1  # KeyRelease, ButtonRelease
        self.held.pop((kind - 1, detail), None)

    def let_go(self):
        """Lets go of what a failed test left held: a later test on the same X server
        (the Windows stage has one) would find Shift or a button down."""
        for (_, detail), release in list(self.held.items()):
            self.fake(release, detail)

    def keys(self, kind, names):
        for name in names:
            self.fake(kind, self.d.keysym_to_keycode(XK.string_to_keysym(name)))

    def keydown(self, *names): self.keys(X.KeyPress, names)
    def keyup(self, *names): self.keys(X.KeyRelease, names)

    def key(self, *chords):
        """Taps each chord ("Alt_L+h"), a moment apart. The tap is short, shorter than
        a tick of the game, so that each counts once."""
        for names in (chord.split("+") for chord in chords):
            self.keydown(*names)
            time.sleep(0.005)
            self.keyup(*reversed(names))
            time.sleep(0.15)

    def move(self, x, y): self.fake(X.MotionNotify, x=x, y=y)
    def move_by(self, dx, dy): self.fake(X.MotionNotify, 1, dx, dy)
    def screenshot(self): return ImageGrab.grab(xdisplay=os.environ["DISPLAY"])

    def click(self):
        """Clicks as a person does, and is as slow to move on."""
        self.fake(X.ButtonPress, 1)
        time.sleep(0.03)
        self.fake(X.ButtonRelease, 1)
        time.sleep(0.15)

    def button(self, number, down): self.fake(X.ButtonPress if down else X.ButtonRelease, number)

    def pointer(self):
        at = self.root.query_pointer()
        return at.root_x, at.root_y


class Session:
    """The game for one test: started, driven, looked at, ended. Its screenshots
    go to the artifact folder when it finishes, for a person to look at. What
    differs between systems is in LinuxSession and WineSession."""

    def __init__(self, game, data, artifacts):
        self.game, self.data, self.artifacts = Path(game), Path(data), Path(artifacts)
        self.work = Path(tempfile.mkdtemp(prefix="bravok-e2e."))
        self.sound, self.sound_mark, self.log_file = self.work / "sound.raw", 0, self.work / "game.log"
        self.log_file.touch()
        self.x, self.proc, self.shots = X11(), None, {}
        self.others = []  # other programs the test started, ended with the game

    def spawn(self, command, folder, env):
        """Starts command in folder with env (None: unset), its output to the log."""
        with open(self.log_file, "ab") as log:
            env = {name: value for name, value in env.items() if value is not None}
            return subprocess.Popen(command, cwd=folder, env=env, stdout=log, stderr=subprocess.STDOUT)

    def start(self, folder=None, **env):
        """Starts the game and waits until its settled window shows the crosshair."""
        self.sound.write_bytes(b"")
        self.window = self.first_window(folder or self.data, env, self.window_limit, "no Bravok window")
        self.window.configure(x=40, y=40)
        # Until it has the focus the game is paused, and still views stay still.
        wait(10, self.take_focus, lambda active: active == self.window.id, "the window never took the focus")
        self.frame, self.view, self.centre = wait(10, self.settled, lambda seen: seen[1], "no settled window")[0]
        wait(20, lambda: self.green_near(self.shot("start"), *self.centre), failure="no crosshair at the centre")

    def first_window(self, folder, env, seconds, failure):
        """Starts the game and returns its first window. Under Wine a program
        started on the test's own server has, rarely, neither shown nor said
        anything within the time: such a start, with the desktop Wine made for
        it, is ended and tried once more."""
        for attempt in range(2):
            self.proc = self.launch(folder, env)
            try:
                return wait(seconds, lambda: self.x.windows("Bravok"), failure=failure)[0]
            except AssertionError:
                if attempt or self.log():
                    raise
                print("the game said nothing and showed nothing; starting it again")
                self.proc.kill()
                self.proc.wait()
                self.end_own_desktop()

    def take_focus(self):
        """The window with the focus; if not the game's, the game's is asked to take it."""
        if (active := self.x.active()) != self.window.id:
            self.x.activate(self.window)
        return active

    def settled(self):
        """The geometry, and whether the window is moved, laid out with the menu bar
        above the view (it joins the window at the first paint), and still for a moment."""
        before = self.geometry()
        time.sleep(0.1)
        frame, view, centre = after = self.geometry()
        return after, before == after and frame.x >= 40 and view.y > frame.y

    def shot(self, name):
        self.shots[name] = self.x.screenshot()
        return self.shots[name]

    def count(self, image, rule, x=None, y=None):
        """Pixels that keep the rule in the 5 x 5 block around x, y, or in the view
        (every other row and column)."""
        if x is not None:
            return matching(image.crop((x - 2, y - 2, x + 3, y + 3)), rule)
        v = self.view
        return matching(image.crop(v.corners()).resize((v.w // 2, v.h // 2), Image.NEAREST), rule)

    def green_near(self, image, x, y): return self.count(image, GREEN, x, y) > 0
    def is_grey(self, image, x, y): return self.count(image, GREY, x, y) == 25

    def edge(self, name="edge"):
        """The ceiling's lower edge on a new screenshot: the first row from the view's
        top where a column near its left differs from the top; -1 if none in its upper half."""
        image, v = self.shot(name), self.view
        column = [image.getpixel((v.x + 10, v.y + row)) for row in range(v.h // 2)]
        return next((row for row in range(1, len(column)) if column[row] != column[0]), -1)

    def steady(self):
        """The edge twice, a few ticks apart; the same, and on the view, when the view stands still."""
        before = self.edge("steady")
        time.sleep(0.2)
        return before, self.edge("steady")

    @staticmethod
    def still(edges): return edges[0] == edges[1] and edges[0] > 0

    def silence(self):  # from now on, only sound played later counts
        self.sound_mark = self.sound.stat().st_size

    def sound_played(self):
        """Bytes of sound since the mark (the device writes silence all along)."""
        with open(self.sound, "rb") as device:
            device.seek(self.sound_mark)
            return len(device.read().replace(b"\0", b""))

    def ended(self, seconds):
        """The game's status once it has ended within the time, else None."""
        try:
            return self.proc.wait(seconds * SLOWDOWN)
        except subprocess.TimeoutExpired:
            return None

    def expect_clean_end(self, why):
        """The game, asked to end, ends with status 0 within a second."""
        assert (status := self.ended(1)) is not None, f"the game did not end within a second after {why}"
        assert status == 0, f"the game ended with status {status} after {why}"

    def close(self):
        self.x.close(self.window)
        self.expect_clean_end("closing")

    def log(self): return self.log_file.read_text(errors="replace")

    def finish(self):
        self.x.let_go()
        for proc in [self.proc, *self.others]:
            if proc and proc.poll() is None:
                proc.kill()
                proc.wait()
        self.artifacts.mkdir(parents=True, exist_ok=True)
        for name, image in self.shots.items():
            image.save(self.artifacts / f"{name}.png")
        print("The game's output:", *self.log().splitlines()[-30:], sep="\n")
        shutil.rmtree(self.work)
        self.x.d.close()


class LinuxSession(Session):
    """The Linux program, its sound going to a file through SDL's disk output."""
    window_limit = 30
    sound_off_words = "bravok: sound is off: no audio device could be opened"
    scale = int(os.environ.get("GDK_SCALE", "1"))  # the desktop's

    def launch(self, folder, env):
        sound = dict(SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=str(self.sound), SDL_DISKAUDIODELAY="10")
        return self.spawn([self.game], folder, os.environ | sound | {"NO_AT_BRIDGE": "1"} | env)

    def geometry(self):
        """The frame, the view (the GL canvas and the status bar's strip below it) and its centre."""
        frame, canvas = self.x.box(self.window), self.x.box(self.window.query_tree().children[-1])
        view = Box(canvas.x, canvas.y, canvas.w, frame.y + frame.h - canvas.y)
        return frame, view, (view.x + view.w // 2, view.y + view.h // 2)

    def menu_open(self):
        """One of the menu bar's menus shows (the program names its popups)."""
        return bool(self.x.windows("bravok", depth=1))

    def end_from_outside(self, why):
        """The game, stopped from outside while a dialog is open, ends cleanly."""
        self.proc.send_signal(signal.SIGTERM)
        self.expect_clean_end(f"SIGTERM {why}")

    def end_own_desktop(self):
        """Nothing of the system's stays on an X server of the test's own."""


class WineSession(Session):
    """The Windows program under Wine. Wine on a virtual X server shows none of
    the OpenGL view, so the game saves each frame it draws (BRAVOK_FRAME_DUMP)
    and each screenshot is the screen with that frame laid over the view's
    place. The sound goes through Wine's ALSA output to the end of a file (Wine
    opens the device anew for each sound), by an .asoundrc in a home of its own."""
    window_limit = 60  # Wine starts its own services first
    sound_off_words = ""  # the system plays its sounds without a device opened up front

    def __init__(self, *args, dpi=96):
        super().__init__(*args)
        self.dump, self.dump_seen = self.work / "frame.ppm", None
        self.settings, self.scale = [], dpi / 96  # the desktop's scale: 2 at 192 dots per inch
        if dpi != 96:
            self.set_user_setting(r"HKCU\Control Panel\Desktop", "LogPixels", "REG_DWORD", str(dpi))
        (self.work / "home").mkdir()
        (self.work / "home/.asoundrc").write_text(
            f'pcm.!default {{ type file; slave.pcm "null"; file "|cat >>\'{self.sound}\'"; format "raw" }}\n')

    def set_user_setting(self, key, name, kind, value):
        """A setting of the Wine prefix's user, as Windows' control panel makes it,
        for programs started from now on; taken away again when the session finishes."""
        wine = lambda *args: subprocess.run(["wine", "reg", *args, "/f"], env=wine_environment(), check=True,
                                            capture_output=True)
        wine("add", key, "/v", name, "/t", kind, "/d", value)
        self.settings.append(lambda: wine("delete", key, "/v", name))

    def finish(self):
        super().finish()
        for undo in self.settings:
            undo()

    def launch(self, folder, env):
        env = wine_environment(HOME=str(self.work / "home"), BRAVOK_FRAME_DUMP=str(self.dump)) | env
        return self.spawn(["wine", self.game], folder, env)

    def geometry(self):
        """The frame from the screen, the view from the saved frame; its centre
        counts the status bar's strip to the view, as on Linux."""
        (x, y, whole), picture = read_frame(self.dump)
        view = Box(x, y, *picture.size)
        return self.x.box(self.window), view, (x + view.w // 2, y + whole // 2)

    def shot(self, name):
        """Waits a second at most for a frame drawn after the last shot (a paused
        game draws none), and lays it over a new screenshot."""
        deadline = time.monotonic() + 1
        while (stamp := (self.dump.stat().st_ino, self.dump.stat().st_mtime_ns)) == self.dump_seen:
            if time.monotonic() > deadline:
                break
            time.sleep(0.05)
        self.dump_seen = stamp
        (x, y, _), picture = read_frame(self.dump)
        self.shots[name] = self.x.screenshot()
        self.shots[name].paste(picture, (x, y))
        return self.shots[name]

    def menu_open(self):
        """A title on the menu bar shows in the selection colour (F10 selects the
        bar without opening a menu, as Windows does, and Wine draws its menus in
        windows that no search finds)."""
        f = self.frame
        return matching(self.x.screenshot().crop((f.x, f.y, f.x + f.w, self.view.y)), MENU_TITLE) > 50

    def end_from_outside(self, why):
        """Wine takes no close request for a window that a dialog disables: the dialog is closed first."""
        self.x.key("Escape")
        self.close()

    def end_own_desktop(self):
        """Wine starts a desktop process for an X server of its own, which would last as long as the server."""
        mark = f"BRAVOK_XVFB_SESSION={os.environ['BRAVOK_XVFB_SESSION']}"
        marked = subprocess.run([ROOT / "scripts/marked-processes.sh", mark], capture_output=True, text=True)
        for pid, command in (line.split(" ", 1) for line in marked.stdout.splitlines()):
            if "explorer.exe" in command:
                os.kill(int(pid), signal.SIGTERM)
