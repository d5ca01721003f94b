"""What the end-to-end and install tests are given: the game, its data, the
folders of the build, and a Session on the X server they run on."""
import shutil
import tempfile
from pathlib import Path

import pytest

from e2e.driver import LinuxSession, WineSession


def pytest_addoption(parser):
    for name in ("game", "data", "artifacts", "build", "source", "cmake", "installer"):
        parser.addoption(f"--{name}")
    parser.addoption("--wine", action="store_true", help="the game is a Windows program, run under Wine")
    parser.addoption("--dpi", type=int, default=96, help="under Wine: the desktop's dots per inch (192 is 200 %%)")


@pytest.fixture
def option(request):
    return request.config.option


@pytest.fixture
def work():
    folder = Path(tempfile.mkdtemp(prefix="bravok-test."))
    yield folder
    shutil.rmtree(folder)


@pytest.fixture
def game(option, request):
    where = (option.game, option.data, Path(option.artifacts) / request.node.name)
    session = WineSession(*where, dpi=option.dpi) if option.wine else LinuxSession(*where)
    yield session
    session.finish()
