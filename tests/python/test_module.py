"""The module's own behaviour: arrays in and out with the right shapes,
types and orientation, drawings round-tripped, bad arguments refused, no
leak, and a gridding that stops when Python says so."""
import os
import signal

import numpy as np
import pytest

import quarvel
from conftest import MAP

# 200 points on a 1000 x 1000 square, the same every run.
RNG = np.random.default_rng(7)
PX, PY = RNG.uniform(0, 1000, 200), RNG.uniform(0, 1000, 200)


def plane_grid(**keywords):
    return quarvel.grid(PX, PY, 3 * PX + 2 * PY, **{"box": (0, 0, 1000, 1000), "num_x": 12, "times": 2, **keywords})


def test_grid_arrays_are_oriented_views():
    g = plane_grid(precision=1e-3)
    assert g.values.shape == (g.ny, g.nx) == (len(g.y), len(g.x))
    assert g.values.dtype == np.float64 and g.cut_x.dtype == np.bool_
    assert g.x[0] <= 0 < 1000 <= g.x[-1] and g.y[0] <= 0 < 1000 <= g.y[-1] and (np.diff(g.y) > 0).all()
    # A plane is what minimum curvature reproduces: row j lies at y[j].
    np.testing.assert_allclose(g.values, 3 * g.x[None, :] + 2 * g.y[:, None], atol=0.5)
    assert not g.cut_x.any() and not g.cut_y.any()
    with pytest.raises(ValueError):
        g.values[0, 0] = 1   # a view of the grid's own values
    assert g.values.base is not None


def test_fault_cuts_links_and_stops_contours():
    # A step of 500 across x = 500.5, the fault running past the grid's ends.
    fault = np.array([[500.5, -500], [500.5, 1500]])
    g = quarvel.grid(PX, PY, np.where(PX < 500.5, 0.0, 500.0) + PY, box=(0, 0, 1000, 1000), num_x=12,
                     times=2, faults=[fault])
    column = np.searchsorted(g.x, 500.5) - 1
    assert g.cut_x[:, column].all() and g.cut_x.sum() == g.ny
    lines = g.contours([250.0, 700.0])
    assert {level for level, _ in lines} == {250.0, 700.0}
    for _, xy in lines:
        assert xy.shape[1] == 2 and ((xy[:, 0] < 500.5).all() or (xy[:, 0] > 500.5).all())


def test_drawing_round_trip(tmp_path):
    d = quarvel.Drawing()
    assert d.extent is None
    line = d.add_polyline([[0, 0], [10, 5], [20, 0]], layer="picks", name="P1", z=-120.0)
    d.add_points(np.array([[1, 2, 3], [4, 5, 6]]), layer="f(x,y)\\xyz")
    d.layers[0].state = quarvel.HIDDEN
    assert line.kind == "polyline" and line.name == "P1" and line.layer == "picks"
    np.testing.assert_array_equal(line.vertices, [[0, 0, -120], [10, 5, -120], [20, 0, -120]])
    d.save(str(tmp_path / "out.qvd"))
    back = quarvel.Drawing(str(tmp_path / "out.qvd"))
    assert [(e.kind, e.layer, e.name) for e in back.entries] == [
        ("polyline", "picks", "P1"), ("x,y,z list", "f(x,y)\\xyz", "")]
    np.testing.assert_array_equal(back.entries[0].vertices, line.vertices)
    np.testing.assert_array_equal(back.entries[1].vertices, [[1, 2, 3], [4, 5, 6]])
    assert [(l.name, l.state) for l in back.layers] == [("picks", 2), ("f(x,y)\\xyz", 0)]
    assert back.extent == (0, 0, 20, 5)


def test_map_entries_and_read_issues():
    d = quarvel.Drawing(str(MAP))
    faults = [e for e in d.entries if e.layer == "faults"]
    assert [f.name for f in faults] == ["F1", "F2", "F3"]
    np.testing.assert_array_equal(faults[2].vertices, [[4300, 1500], [5600, 1100], [7200, 600]])
    assert not faults[2].vertices.flags.writeable
    assert d.read_issues == []
    d.read_text("Pline.lonely\n1,1\n\n")
    assert d.read_issues[-1][0] == "polyline rejected" and "fewer than 2" in d.read_issues[-1][2]


def nothing_file(tmp_path):
    (tmp_path / "bad.net").write_bytes(b"\0" * 10)
    return str(tmp_path / "bad.net")


BAD = [
    (lambda t: quarvel.Drawing(str(t / "missing.qvd")), quarvel.Error, "missing.qvd"),
    (lambda t: quarvel.Drawing(str(t)), quarvel.Error, "directory"),
    (lambda t: quarvel.Drawing().add_polyline(np.zeros((3, 4))), ValueError, "(n, 2 or 3)"),
    (lambda t: quarvel.Drawing().add_polyline([[0, 0], [np.nan, 1]]), ValueError, "not a finite"),
    (lambda t: quarvel.Drawing().add_polyline([[0, 0]]), ValueError, "at least 2"),
    (lambda t: quarvel.Drawing().add_points([[0, 0]]), ValueError, "(n, 3)"),
    (lambda t: quarvel.grid(PX, PY[:-1], PX), ValueError, "y: wants 200 values"),
    (lambda t: quarvel.grid(PX, PY, np.full(200, np.inf)), ValueError, "z: value 0"),
    (lambda t: quarvel.grid(PX, PY, PX, solver="slow"), ValueError, "solver"),
    (lambda t: quarvel.grid(PX, PY, PX, faults=[np.zeros((1, 2))]), ValueError, "faults[0]"),
    (lambda t: quarvel.grid(PX, PY, PX, box=(5, 0, 1, 1)), ValueError, "box"),
    (lambda t: quarvel.grid(PX, PY, PX, num_x=2), quarvel.Error, "num x"),
    (lambda t: quarvel.grid_drawing(quarvel.Drawing(str(MAP)), faults="rim"), ValueError, "no layer 'rim'"),
    (lambda t: quarvel.segy_scan(str(t / "missing.sgy")), quarvel.Error, "missing.sgy"),
    (lambda t: quarvel.segy_scan(str(t)), quarvel.Error, "directory"),
    (lambda t: quarvel.Grid.from_net(nothing_file(t)), quarvel.Error, "bad.net"),
    (lambda t: quarvel.render(quarvel.Drawing(), size=(0, 10)), ValueError, "size"),
    (lambda t: quarvel.render(quarvel.Drawing(), format="gif"), ValueError, "format"),
]


@pytest.mark.parametrize("call, error, words", BAD, ids=[w for _, _, w in BAD])
def test_bad_arguments_raise(call, error, words, tmp_path):
    with pytest.raises(error) as raised:
        call(tmp_path)
    assert words.lower() in str(raised.value).lower()


def test_error_is_a_runtime_error():
    assert issubclass(quarvel.Error, RuntimeError)


def rss_kib():
    with open("/proc/self/statm") as f:
        return int(f.read().split()[1]) * os.sysconf("SC_PAGE_SIZE") // 1024


def test_no_leak_over_1000_open_close_cycles():
    def cycle(n):
        for _ in range(n):
            d = quarvel.Drawing(str(MAP))
            assert len(d.entries) > 10
            del d
    cycle(100)   # allocator pools and caches settle
    before = rss_kib()
    cycle(1000)
    assert rss_kib() - before < 2048


@pytest.mark.parametrize("raised", [KeyboardInterrupt, ZeroDivisionError])
def test_python_stops_the_gridding(raised):
    calls = []

    def progress(*args):
        calls.append(args)
        if raised is KeyboardInterrupt:
            os.kill(os.getpid(), signal.SIGINT)   # Ctrl-C, as the terminal sends it
        else:
            1 / 0

    with pytest.raises(raised):
        plane_grid(precision=0, times=6, progress=progress)
    assert len(calls) == 1 and calls[0][:2] == (1, 6)
