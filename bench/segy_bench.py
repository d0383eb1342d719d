#!/usr/bin/env python3
"""Times, in one run and from the page cache, on one SEG-Y file:
  quarvel segy --positions    against a 4 MiB sequential read of the whole
                              file (dd bs=4M) and python3-segyio reading the
                              same four words of every trace;
  quarvel segy --geometry     against python3-segyio opening the file with
                              the same inline and crossline bytes (its grid
                              and sorting) and reading the words and the
                              coordinates for the ranges and corners.
and quarvel's start-up alone (a 6 KB file), which the first two include.
The commands run in turn, ROUNDS times over (paired, alternating order);
medians of wall time and of CPU time (user + system, from wait4; steadier
on a busy machine) are printed with the ratios of both.
Usage: segy_bench.py QUARVEL FILE [ROUNDS]  (segyio through /usr/bin/python3)"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

SEGYIO_POSITIONS = r'''
import sys, segyio
from segyio import TraceField as F
with segyio.open(sys.argv[1], ignore_geometry=True) as f:
    m = f.attributes(F.CDP)[:]
    n = f.attributes(F.FieldRecord)[:]
    x = f.attributes(F.SourceX)[:]
    y = f.attributes(F.SourceY)[:]
    print(len(m), len(n), len(x), len(y))
'''

# m (21) the inline and n (9) the crossline, as quarvel's default words.
SEGYIO_GEOMETRY = r'''
import sys, segyio, numpy as np
from segyio import TraceField as F
with segyio.open(sys.argv[1], iline=21, xline=9) as f:
    il, xl = f.ilines, f.xlines
    s = f.attributes(F.SourceGroupScalar)[:].astype(float)
    scale = np.where(s < 0, -1.0 / np.where(s < 0, s, 1), np.where(s > 0, s, 1.0))
    x = f.attributes(F.SourceX)[:] * scale
    y = f.attributes(F.SourceY)[:] * scale
    i = f.attributes(21)[:]
    c = f.attributes(9)[:]
    corners = [(x[k], y[k]) for a, b in ((il[0], xl[0]), (il[0], xl[-1]), (il[-1], xl[-1]), (il[-1], xl[0]))
               for k in np.nonzero((i == a) & (c == b))[0][:1]]
    print(len(il), len(xl), f.sorting, corners)
'''


def timed(argv):
    """(wall, cpu) seconds of one run."""
    with open(os.devnull, "wb") as null:
        start = time.perf_counter()
        pid = os.posix_spawnp(argv[0], argv, os.environ, file_actions=[(os.POSIX_SPAWN_DUP2, null.fileno(), 1)])
        _, status, usage = os.wait4(pid, 0)
        elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("segy_bench: %s failed" % " ".join(argv[:3]))
    return elapsed, usage.ru_utime + usage.ru_stime


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    quarvel, path = sys.argv[1], sys.argv[2]
    small = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "segy", "generated",
                         "be_ibm.sgy")
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    py = "/usr/bin/python3"
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "positions.xy")
        commands = {
            "quarvel segy --positions": [quarvel, "segy", "--positions", out, path],
            "sequential read, 4 MiB blocks": ["dd", "if=" + path, "of=/dev/null", "bs=4M", "status=none"],
            "python3-segyio, the 4 words": [py, "-c", SEGYIO_POSITIONS, path],
            "quarvel segy --geometry": [quarvel, "segy", "--geometry", path],
            "python3-segyio, geometry": [py, "-c", SEGYIO_GEOMETRY, path],
            "quarvel start-up (6 KB file)": [quarvel, "segy", small],
        }
        times = {name: [] for name in commands}
        names = list(commands)
        for r in range(rounds):
            for name in (names if r % 2 == 0 else names[::-1]):
                times[name].append(timed(commands[name]))
        lines = sum(1 for line in open(out) if "," in line)
    size = os.path.getsize(path)
    print("file: %d bytes; positions written: %d; medians of %d paired runs" % (size, lines, rounds))
    print("  %-32s %9s %9s" % ("", "wall s", "cpu s"))
    med = {}
    for name in names:
        med[name] = [statistics.median(t[k] for t in times[name]) for k in (0, 1)]
        print("  %-32s %9.3f %9.3f" % (name, med[name][0], med[name][1]))

    def ratio(a, b):
        return "wall %.2f, cpu %.2f" % (med[a][0] / med[b][0], med[a][1] / med[b][1])
    pos, seq, start = "quarvel segy --positions", "sequential read, 4 MiB blocks", "quarvel start-up (6 KB file)"
    print("positions / sequential read:          " + ratio(pos, seq) + "   (goal: at most 2)")
    print("  without quarvel's start-up:         wall %.2f, cpu %.2f"
          % ((med[pos][0] - med[start][0]) / med[seq][0], (med[pos][1] - med[start][1]) / med[seq][1]))
    print("segyio / positions:                   " + ratio("python3-segyio, the 4 words", pos) + "   (goal: at least 10)")
    print("segyio geometry / quarvel --geometry: " + ratio("python3-segyio, geometry", "quarvel segy --geometry"))


if __name__ == "__main__":
    main()
