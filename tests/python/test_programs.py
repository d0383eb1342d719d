"""The module gives what the programs give: the same net file, the same
SEG-Y report and the same PNG, byte for byte."""
import json
import struct
import zlib

import numpy as np
import pytest

import quarvel
from conftest import MAP, run_quarvel, segy_files

# The example grid's settings (scripts/make_example_grid.sh).
BOX = (0, 0, 10000, 8000)
LEVELS = dict(box=BOX, num_x=27, times=3)


@pytest.fixture(scope="module")
def program_net(tmp_path_factory):
    """quarvel grid on the map with its faults layer as the break layer."""
    work = tmp_path_factory.mktemp("net")
    renamed = work / "map.qvd"
    renamed.write_text(MAP.read_text().replace("Layer M faults\n", "Layer M f(x,y)\\break\n"))
    run_quarvel("grid", "--box", ",".join(map(str, BOX)), "--num-x", 27, "--times", 3, renamed,
                "-o", work / "depth.net")
    return (work / "depth.net").read_bytes()


def grid_from_arrays(drawing):
    """The map's points and faults handed over as plain arrays."""
    points = np.concatenate([e.vertices for e in drawing.entries if e.layer == "f(x,y)\\xyz"])
    faults = [np.asarray(e.vertices) for e in drawing.entries if e.layer == "faults"]
    return quarvel.grid(points[:, 0], points[:, 1], points[:, 2], faults=faults, **LEVELS)


@pytest.mark.parametrize("make", [
    lambda d: quarvel.grid_drawing(d, faults="faults", **LEVELS),
    grid_from_arrays,
], ids=["drawing", "arrays"])
def test_net_file_equals_the_program(make, program_net, tmp_path):
    grid = make(quarvel.Drawing(str(MAP)))
    grid.to_net(str(tmp_path / "out.net"))
    assert (tmp_path / "out.net").read_bytes() == program_net
    # Read back, the file is the same grid and writes itself unchanged.
    again = quarvel.Grid.from_net(str(tmp_path / "out.net"))
    np.testing.assert_array_equal(again.values, grid.values)
    np.testing.assert_array_equal(again.cut_x, grid.cut_x)
    np.testing.assert_array_equal(again.cut_y, grid.cut_y)
    again.to_net(str(tmp_path / "copy.net"))
    assert (tmp_path / "copy.net").read_bytes() == program_net


@pytest.mark.parametrize("scaled", [False, True])
def test_segy_scan_equals_the_program_json(scaled):
    files = segy_files()
    if not files:
        pytest.skip("no SEG-Y test files")
    compared = 0
    for path in files:
        try:
            scan = quarvel.segy_scan(str(path), scaled=scaled)
        except quarvel.Error:
            continue   # the program refuses these too (checked below for one)
        printed = json.loads(run_quarvel("segy", "--json", *(["--scaled"] if scaled else []), path))
        printed.pop("words")   # the program's header words; the scan reads the default ones
        arrays = {k: scan.pop(k) for k in ("m", "n", "x", "y")}
        scan["table"] = [list(row) for row in scan["table"]]
        assert scan == printed, path.name
        # The arrays cover every trace; their head is the report's table.
        assert arrays["m"].dtype == np.int32 and len(arrays["m"]) >= printed["traces"]
        assert arrays["x"].dtype == (np.float64 if scaled else np.int32)
        head = np.column_stack([arrays[k][:len(printed["table"])] for k in "mnxy"])
        np.testing.assert_array_equal(head, np.array(printed["table"]).reshape(head.shape))
        compared += 1
    assert compared > 10


def png_rgb(png):
    """The pixels of an 8-bit RGB PNG written without row filters."""
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(png):
        length, kind = struct.unpack(">I4s", png[pos:pos + 8])
        body = png[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert (depth, colour) == (8, 2)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    rows = np.frombuffer(zlib.decompress(idat), np.uint8).reshape(height, 1 + 3 * width)
    assert not rows[:, 0].any()   # filter type 0 on every row
    return rows[:, 1:].reshape(height, width, 3)


def test_render_equals_the_program(tmp_path):
    drawing = quarvel.Drawing(str(MAP))
    # The module paints the window's first paint: the program's --margin 0.
    run_quarvel("render", "--size", "400x300", "--margin", "0", MAP, "-o", tmp_path / "map.png")
    # A render of another size before must not change the next one.
    quarvel.render(drawing, size=(640, 200))
    png = quarvel.render(drawing, size=(400, 300))
    assert png == (tmp_path / "map.png").read_bytes()
    pixels = quarvel.render_array(drawing, size=(400, 300))
    assert pixels.shape == (300, 400, 4) and pixels.dtype == np.uint8
    np.testing.assert_array_equal(pixels[..., :3], png_rgb(png))
    assert (pixels[..., 3] == 255).all()
    assert quarvel.render(drawing, size=(40, 30), format="svg").startswith(b"<?xml")
    assert quarvel.render(drawing, size=(40, 30), format="pdf").startswith(b"%PDF")
