#!/usr/bin/python3
"""Checks `quarvel segy --stats` against numpy over python3-segyio's trace
array for every SEG-Y file under DIR that segyio opens and whose format
segyio decodes itself (it reads codes it does not know as IBM floats, with
a warning) and where it finds the first trace where the headers put it
(it reads a count of -1 extended textual headers as none): the others are
counted apart. min, max and RMS must agree to
1e-6 relative, the shares of zero and non-finite samples and the trace
count exactly. Prints one line a file and the counts; exits 1 on any
disagreement. Needs /usr/bin/python3 with python3-segyio and numpy.
Usage: bench/segy_stats_check.py [QUARVEL] [DIR]"""
import glob
import json
import os
import subprocess
import sys
import warnings

import numpy as np
import segyio

here = os.path.dirname(os.path.abspath(__file__))
quarvel = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build", "quarvel")
top = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "..", "shared", "data", "segy", "files")


def theirs(path, order):
    with warnings.catch_warnings():
        warnings.simplefilter("error")  # a format segyio does not know
        with segyio.open(path, ignore_geometry=True, endian=order) as f:
            a = segyio.tools.collect(f.trace[:]).astype(np.float64) if f.tracecount else np.zeros((0, 0))
            first = 3600 + 3200 * f.ext_headers
    finite = a[np.isfinite(a)]
    return {"min": finite.min() if finite.size else None, "max": finite.max() if finite.size else None,
            "rms": float(np.sqrt(np.mean(finite ** 2))) if finite.size else None,
            "zero_share": float(np.mean(a == 0)) if a.size else 0.0,
            "nonfinite_share": float(np.mean(~np.isfinite(a))) if a.size else 0.0,
            "traces_read": a.shape[0], "first_trace": first}


if len(sys.argv) == 4 and sys.argv[1] == "--one":
    # One file in a process of its own: segyio aborts on some files.
    try:
        print(json.dumps(theirs(sys.argv[2], sys.argv[3]), default=float))
    except Warning as w:
        print(json.dumps({"unknown": str(w)}))
    except Exception as e:
        print(json.dumps({"error": str(e).splitlines()[0] if str(e) else type(e).__name__}))
    sys.exit(0)


def close(a, b):
    if a is None or b is None:
        return a is None and b is None
    return abs(a - b) <= 1e-6 * max(abs(a), abs(b)) or a == b


counts = {"agree": 0, "disagree": 0, "segyio cannot open": 0, "format segyio does not know": 0,
          "segyio's first trace is elsewhere": 0, "quarvel refuses": 0}
for path in sorted(glob.glob(os.path.join(top, "**", "*.sgy"), recursive=True)):
    name = os.path.relpath(path, top)
    run = subprocess.run([quarvel, "segy", "--json", "--stats", path], capture_output=True, text=True)
    if run.returncode != 0:
        counts["quarvel refuses"] += 1
        print("%-40s quarvel refuses: %s" % (name, run.stderr.strip().splitlines()[-1]))
        continue
    report = json.loads(run.stdout)
    mine = report["stats"]
    child = subprocess.run([sys.executable, __file__, "--one", path, report["byte_order"]], capture_output=True,
                           text=True)
    their = json.loads(child.stdout) if child.returncode == 0 and child.stdout else {"error": "segyio aborted"}
    if "unknown" in their:
        counts["format segyio does not know"] += 1
        print("%-40s format %d: segyio: %s" % (name, report["format"], their["unknown"]))
        continue
    if "error" in their:
        counts["segyio cannot open"] += 1
        print("%-40s segyio cannot open it: %s" % (name, their["error"]))
        continue
    if their["first_trace"] != report["first_trace"]:
        counts["segyio's first trace is elsewhere"] += 1
        print("%-40s segyio starts the traces at byte %d, the headers say %d" %
              (name, their["first_trace"], report["first_trace"]))
        continue
    bad = [k for k in ("min", "max", "rms") if not close(mine[k], their[k])]
    bad += [k for k in ("zero_share", "nonfinite_share", "traces_read") if mine[k] != their[k]]
    counts["disagree" if bad else "agree"] += 1
    print("%-40s %s" % (name, "disagree on %s: %s / %s" % (bad, mine, their) if bad else "agrees"))
print(", ".join("%s: %d" % kv for kv in counts.items()))
sys.exit(1 if counts["disagree"] else 0)
