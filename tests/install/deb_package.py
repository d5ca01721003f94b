"""The Debian package as a user meets it: built, installed, started from its
desktop entry, removed without a trace. With a bravok package of the user's
installed, it says so and stops before touching anything. Installs and removes
a package on this machine, so it needs root or sudo, and is run by name only
(make test-deb), on a virtual X server, given --build."""
import os
import shutil
from pathlib import Path

import pytest

from e2e.driver import X11
from test_install import expect_game, launch, run


def status(field="${db:Status-Status}"):
    return run("dpkg-query", "-W", f"-f={field}", "bravok").stdout.strip()


def apt(*args):
    sudo = [] if os.geteuid() == 0 else ["sudo"]
    return run(*sudo, "apt-get", "-y", "-qq", *args, env=os.environ | {"DEBIAN_FRONTEND": "noninteractive"})


def test_deb_package(option, work):
    if status() == "installed":
        pytest.fail(f"bravok {status('${Version}')} is installed on this machine, and this test would replace and "
                    "then remove it; it is left as it is and the test stops here. Run the test where no bravok "
                    "package is installed (or remove it: apt-get remove bravok).")
    build = Path(option.build).resolve()
    for old in build.glob("bravok_*.deb"):
        old.unlink()
    assert run("cpack", "-G", "DEB", cwd=build).returncode == 0, "cpack could not make the package"
    debs = list(build.glob("bravok_*.deb"))
    assert len(debs) == 1, f"cpack made no single bravok_*.deb: {debs}"
    try:
        assert apt("install", debs[0]).returncode == 0, f"apt-get could not install {debs[0]}"
        files = run("dpkg", "-L", "bravok").stdout.splitlines()
        assert shutil.which("bravok") == "/usr/bin/bravok", f"bravok on the PATH is {shutil.which('bravok')}"
        launch("gio", "launch", "/usr/share/applications/bravok.desktop", folder=work,
               env=os.environ | {"SDL_AUDIODRIVER": "dummy"})
        expect_game(X11(), "/usr/libexec/bravok/bravok", "/usr/share/bravok", "the package's desktop entry")
        assert apt("remove", "bravok").returncode == 0, "apt-get could not remove bravok"
    except BaseException:
        if status() == "installed":
            apt("remove", "bravok")
        raise
    # Not even as "config-files": the package has no configuration to keep.
    known = status("${db:Status-Abbrev}")
    assert not known or known.startswith("un"), f"dpkg still knows bravok: {known}"
    # A folder may stay when another package owns it or holds files in it.
    kept = lambda path: path.is_dir() and (run("dpkg", "-S", path).returncode == 0 or any(path.iterdir()))
    left = [path for path in map(Path, files) if path.is_symlink() or path.exists() and not kept(path)]
    assert not left, f"left behind after removal: {left}"
