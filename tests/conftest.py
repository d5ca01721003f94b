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
    kind = WineSession if option.wine else LinuxSession
    session = kind(option.game, option.data, Path(option.artifacts) / request.node.name)
    yield session
    session.finish()
