#!/usr/bin/env python3
"""Times the Python module against the programs it wraps (not a test).

  quarvel.grid (+ to_net) on the 50k smooth point set against `quarvel grid`
  on the same points (as an x, y, z list in a drawing), one thread each;
  quarvel.segy_scan against python3-segyio reading the same four trace-header
  fields (CDP, field record, source x, source y) of every trace of a SEG-Y
  file made here with segyio.

Each figure is the minimum of several runs (the machine may be shared).
Usage: PYTHONPATH=build/python /usr/bin/python3 bench/python_bench.py
           [--quarvel build/quarvel] [--points FILE] [--runs N] [--traces N]"""
import types
import argparse
import os
import subprocess
import tempfile
import time
from pathlib import Path

import numpy as np

import quarvel

HERE = Path(__file__).resolve().parents[1]
POINTS = HERE.parent / "shared" / "data" / "gridding" / "synthetic_smooth_50k.xyz"
# Four levels over the 1000 x 1000 square, each twice as fine as the one before.
LEVELS = dict(box=(0, 0, 1000, 1000), num_x=100, times=4)


def best(runs, work):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        work()
        times.append(time.perf_counter() - start)
    return min(times)


def bench_grid(args, work):
    xyz = np.loadtxt(args.points)
    drawing = quarvel.Drawing()
    drawing.add_points(xyz, layer="f(x,y)\\xyz")
    drawing.save(str(work / "points.qvd"))
    box = ",".join(str(v) for v in LEVELS["box"])
    program = [args.quarvel, "grid", "--box", box, "--num-x", str(LEVELS["num_x"]), "--times",
               str(LEVELS["times"]), "--threads", "1", str(work / "points.qvd"), "-o", str(work / "program.net")]
    module_net = str(work / "module.net")

    def module():
        quarvel.grid(xyz[:, 0], xyz[:, 1], xyz[:, 2], threads=1, **LEVELS).to_net(module_net)

    def cli():
        subprocess.run(program, check=True, stderr=subprocess.DEVNULL)

    t_module, t_program = best(args.runs, module), best(args.runs, cli)
    same = Path(module_net).read_bytes() == (work / "program.net").read_bytes()
    print(f"grid 50k points, {LEVELS}: quarvel.grid {t_module:.3f} s, quarvel grid {t_program:.3f} s, "
          f"ratio {t_module / t_program:.3f}; net files identical: {same}")


def bench_segy(args, work):
    import segyio
    path = str(work / "survey.sgy")
    # The layout segyio.create asks for: unstructured traces of 50 IBM floats.
    layout = types.SimpleNamespace(format=1, samples=list(range(50)), tracecount=args.traces, ext_headers=0,
                                   endian="big", iline=189, xline=193, sorting=None)
    with segyio.create(path, layout) as f:
        f.bin.update(hdt=4000, hns=50)
        trace = np.zeros(50, dtype=np.float32)
        for i in range(args.traces):
            f.header[i] = {segyio.su.cdp: i % 1000, segyio.su.fldr: i // 1000,
                           segyio.su.sx: 600000 + i, segyio.su.sy: 6000000 - i}
            f.trace[i] = trace
    fields = (segyio.su.cdp, segyio.su.fldr, segyio.su.sx, segyio.su.sy)

    def with_segyio():
        with segyio.open(path, ignore_geometry=True) as f:
            return [f.attributes(k)[:] for k in fields]

    t_module = best(args.runs, lambda: quarvel.segy_scan(path))
    t_segyio = best(args.runs, with_segyio)
    scan, theirs = quarvel.segy_scan(path), with_segyio()
    same = all((scan[k] == v).all() for k, v in zip("mnxy", theirs))
    print(f"segy {args.traces} traces ({os.path.getsize(path) >> 20} MiB): segy_scan {t_module:.3f} s, "
          f"segyio {t_segyio:.3f} s, ratio {t_module / t_segyio:.3f}; same fields: {same}")


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--quarvel", default=str(HERE / "build" / "quarvel"))
    p.add_argument("--points", default=str(POINTS))
    p.add_argument("--runs", type=int, default=5)
    p.add_argument("--traces", type=int, default=100000)
    args = p.parse_args()
    with tempfile.TemporaryDirectory() as work:
        bench_grid(args, Path(work))
        bench_segy(args, Path(work))


if __name__ == "__main__":
    main()
