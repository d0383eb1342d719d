"""Shared fixtures of the module's tests: the programs to compare with and
the bundled files. ctest sets PYTHONPATH to the built module and names the
program and the data in the environment."""
import os
import subprocess
from pathlib import Path

import pytest

SOURCE = Path(os.environ.get("QUARVEL_SOURCE_DIR", Path(__file__).resolve().parents[2]))
MAP = SOURCE / "examples" / "map.qvd"
SEGY = Path(os.environ.get("QUARVEL_SEGY_DATA", SOURCE.parent / "shared" / "data" / "segy")) / "files"
GENERATED_SEGY = SOURCE / "tests" / "data" / "segy" / "generated"


def run_quarvel(*args):
    """Runs the quarvel program; returns its standard output as bytes."""
    program = os.environ.get("QUARVEL_BINARY")
    if not program:
        pytest.skip("QUARVEL_BINARY names no program")
    done = subprocess.run([program, *map(str, args)], capture_output=True,
                          env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    assert done.returncode == 0, done.stderr.decode()
    return done.stdout


def segy_files():
    """The generated files of the repository, and the real ones when present."""
    return sorted(GENERATED_SEGY.glob("*.sgy")) + (sorted(SEGY.glob("*.sgy")) if SEGY.is_dir() else [])
