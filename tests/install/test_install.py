"""The installed program: `cmake --install` under an odd prefix, its files checked
by their validators, and the game started every way a user starts it; the
package test's care for a package the user installed; the Windows installer."""
import gzip
import os
import shutil
import signal
import subprocess
import sys
from pathlib import Path

from e2e.driver import GREEN, X11, matching, read_frame, wait, wine_environment


def run(*command, **options):
    return subprocess.run([str(part) for part in command], capture_output=True, text=True, **options)


def silent(*command, problem=bool, **options):
    """The command succeeds and says no line that is a problem (any, by default)."""
    done = run(*command, **options)
    said = done.stdout + done.stderr
    assert done.returncode == 0 and not any(map(problem, said.splitlines())), f"{command[0]}: {said}"


def ended(pid):
    """Whether the process is gone, or a zombie its parent has yet to reap."""
    status = Path(f"/proc/{pid}/status")
    return not status.exists() or "\nState:\tZ" in status.read_text()


def launch(*command, folder, env=None):
    """Starts the game (the command returns, or the game outlives it)."""
    subprocess.Popen([str(part) for part in command], cwd=folder, env=env, stdout=subprocess.DEVNULL)


def expect_game(x, program, folder, case):
    """Waits for the game's window, checks that the program shows it from the
    folder, and ends it, waiting until it has ended."""
    pid = x.pid(wait(30, lambda: x.windows("Bravok"), failure=f"{case}: no game window")[0])
    seen = Path(f"/proc/{pid}/exe").readlink(), Path(f"/proc/{pid}/cwd").readlink()
    assert seen == (Path(program), Path(folder)), f"{case}: the game is {seen[0]}, in {seen[1]}"
    os.kill(pid, signal.SIGTERM)
    wait(30, lambda: ended(pid), failure=f"{case}: the game did not end")


def test_installed_game_starts_every_way(option, work, monkeypatch):
    """Under a prefix with a space, a % and a $: validated, started from its
    desktop entry, its launcher (also through a link, and where a model of its
    own lies), scripts/run.sh through a link, and the test presets' sanitizer
    options from such a path."""
    build, source = Path(option.build).resolve(), Path(option.source).resolve()
    monkeypatch.setenv("SDL_AUDIODRIVER", "dummy")
    monkeypatch.setenv("HOME", str(work))
    odd, root = work / "My Games/100% $HOME", work / "root"
    prefix, empty, own = odd / "prefix", work / "empty", work / "own"
    for folder in (odd, empty, own, work / "bin", odd / "checkout/tests"):
        folder.mkdir(parents=True)

    run(option.cmake, "--install", build, "--prefix", prefix, env=os.environ | {"DESTDIR": str(root)}, check=True)
    files = [path for path in root.rglob("*") if path.is_file()]
    assert all(str(path).startswith(f"{root}{prefix}/") for path in files), "files outside the prefix"
    assert not [path for path in files if str(root).encode() in path.read_bytes()], "files name the DESTDIR"
    Path(f"{root}{prefix}").rename(prefix)
    data, program = prefix / "share/bravok", prefix / "libexec/bravok/bravok"
    for name in ("cylinder.vtx", "rifle_shot.wav"):
        assert (source / "data" / name).read_bytes() == (data / name).read_bytes(), f"{name} differs"
    entry = prefix / "share/applications/bravok.desktop"
    silent("desktop-file-validate", entry)
    silent("appstreamcli", "validate", "--no-net", "--pedantic", "--no-color", *prefix.glob("share/metainfo/*.xml"),
           problem=lambda line: line[:3] in ("E: ", "W: ", "I: ", "P: "))
    manual = gzip.decompress((prefix / "share/man/man6/bravok.6.gz").read_bytes()).decode()
    silent("groff", "-man", "-Tutf8", "-ww", "-z", input=manual)
    assert f"{data}" in manual, "the manual page does not name the data folder"

    x = X11()
    launch("gio", "launch", entry, folder=empty)
    expect_game(x, program, data, "the desktop entry")
    (work / "bin/bravok").symlink_to(prefix / "bin/bravok")
    launch(work / "bin/bravok", folder=empty)
    expect_game(x, program, data, "the launcher through a link")
    (own / "cylinder.vtx").touch()
    launch(prefix / "bin/bravok", folder=own)
    expect_game(x, program, own, "a folder with a model of its own")
    data.rename(work / "gone")
    done = run(prefix / "bin/bravok", cwd=empty)
    assert done.returncode == 1 and f"bravok: the game's data is missing: {prefix}/" in done.stderr + done.stdout, (
        f"without its data, the launcher ended with {done.returncode} and said: {done.stderr}")

    (odd / "run").symlink_to(source / "scripts/run.sh")
    launch(odd / "run", folder=empty, env=os.environ | {"BRAVOK_BUILD_DIR": str(build)})
    expect_game(x, (build / "src/app/bravok").resolve(), source / "data", "run.sh through a link")

    # Sanitizer options split at spaces unless their values are quoted, and each
    # sanitizer refuses to start without its suppression file: the test
    # presets' options, from such a path, start a program built with each.
    for copied in (source / "CMakePresets.json", *source.glob("tests/*.supp")):
        shutil.copy(copied, odd / "checkout" / copied.relative_to(source))
    for sanitizer in ("thread", "address"):
        run("clang", f"-fsanitize={sanitizer}", "-x", "c", "-", "-o", work / sanitizer, input="int main(void) {}")
        tests = odd / "checkout" / f"build-{sanitizer[0]}san"
        tests.mkdir()
        (tests / "CTestTestfile.cmake").write_text(f"add_test(starts [[{work / sanitizer}]])\n")
        done = run("ctest", "--preset", f"{sanitizer[0]}san", "-Q", cwd=odd / "checkout")
        assert done.returncode == 0, f"the {sanitizer} sanitizer did not take the test preset's options: {done}"


def test_deb_test_leaves_a_users_package(work):
    """With a bravok package installed (as dpkg-query reports it here), the
    package test says so and stops before building, installing or removing
    anything."""
    (work / "bin").mkdir()
    tools = {"dpkg-query": 'case "$*" in *Version*) echo 0.9-user ;; *) echo installed ;; esac'}
    for tool in ("apt-get", "cpack", "dpkg", "sudo"):
        tools[tool] = f'echo "{tool} $*" >>"{work}/called"'
    for tool, body in tools.items():
        (work / "bin" / tool).write_text(f"#!/bin/sh\n{body}\n")
        (work / "bin" / tool).chmod(0o755)
    test = Path(__file__).with_name("deb_package.py")
    done = run(sys.executable, "-m", "pytest", "-p", "no:cacheprovider", "-q", f"--rootdir={test.parents[1]}", test,
               f"--build={work}", env=os.environ | {"PATH": f"{work / 'bin'}:{os.environ['PATH']}"})
    assert done.returncode == 1 and "bravok 0.9-user is installed on this machine" in done.stdout, done.stdout
    assert not (work / "called").exists(), f"it ran {(work / 'called').read_text()}"


def test_windows_installer(option, work):
    """Run silently (/S) in the test run's Wine prefix, the installer puts the
    game, its model and its sound into one folder under Program Files,
    registers its uninstaller in Add/Remove Programs, and its Start-menu
    shortcut starts the game in that folder (window and crosshair); the silent
    uninstall leaves nothing behind."""
    prefix = Path(os.environ["WINEPREFIX"])
    folder = prefix / "drive_c/Program Files/Bravok"
    shortcut = prefix / "drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Bravok.lnk"
    key = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Bravok"
    frame = work / "frame.ppm"
    env = wine_environment(BRAVOK_FRAME_DUMP=str(frame))
    wine = lambda *args: run("wine", *args, env=env)

    assert wine(option.installer, "/S").returncode == 0, "the installer failed"
    installed = sorted(path.name for path in folder.iterdir())
    assert installed == ["bravok.exe", "cylinder.vtx", "rifle_shot.wav", "uninstall.exe"], f"installed: {installed}"
    uninstaller = wine("reg", "query", key, "/v", "QuietUninstallString").stdout
    assert r'"C:\Program Files\Bravok\uninstall.exe" /S' in uninstaller, "no uninstaller in Add/Remove Programs"

    # The game as the Start menu starts it: in its folder, where it finds its model.
    x = X11()
    launch("wine", "start", "/unix", shortcut, folder=work, env=env)
    window = wait(60, lambda: x.windows("Bravok"), failure="no game window")[0]
    pid = x.pid(window)
    assert Path(f"/proc/{pid}/cwd").readlink() == folder, f"the game runs in {Path(f'/proc/{pid}/cwd').readlink()}"

    def centre():
        picture = read_frame(frame)[1]
        w, h = picture.size
        return matching(picture.crop((w // 2 - 2, h // 2 - 2, w // 2 + 3, h // 2 + 3)), GREEN)

    wait(20, centre, failure="no crosshair at the view's centre")
    x.close(window)
    wait(10, lambda: ended(pid), failure="the game did not end when closed")
    assert wine(folder / "uninstall.exe", "/S").returncode == 0, "the uninstaller failed"
    wait(30, lambda: not folder.exists() and not shortcut.exists(), failure="the folder or the shortcut is left")
    assert wine("reg", "query", key).returncode != 0, "still in Add/Remove Programs"
