#!/usr/bin/env python3
"""Compares `quarvel segy --json --text --geometry` with python3-segyio on
SEG-Y files: the textual headers (every record byte for byte, and through
segyio.tools.wrap), and the inline and crossline ranges, the sorting and
the corner coordinates, segyio opened with the same byte positions
(iline=, xline=) as the words quarvel is given. Each file is opened by
segyio in a child process, since segyio stops the interpreter on some
malformed files. Needs python3-segyio and numpy (Debian's /usr/bin/python3).

Usage: compare_segyio.py QUARVEL [--words WORDS] PATH...  (folders are
searched for *.sgy and *.segy). WORDS as for quarvel (default the 3D
preset's m=189,n=193,x=181,y=185). Prints one line a file and the counts;
exits 1 when a file segyio opens disagrees."""
import json
import os
import subprocess
import sys

CHILD = r'''
import json, sys
import numpy as np
import segyio
from segyio import TraceField as F
path, il, xl, xb, yb = sys.argv[1], *map(int, sys.argv[2:6])
out = {}
for endian in ("big", "little"):
    try:
        f = segyio.open(path, iline=il, xline=xl, endian=endian)
        out["regular"] = True
    except Exception:
        try:
            f = segyio.open(path, ignore_geometry=True, endian=endian)
            out["regular"] = False
        except Exception as e:
            out["error"] = str(e)
            continue
    out.pop("error", None)
    break
else:
    print(json.dumps(out)); sys.exit(0)
with f:
    # -1: ended by a stanza, which segyio does not count; the main one only.
    out["uncounted"] = f.ext_headers < 0
    out["traces"] = f.tracecount
    try:
        out["text"] = [bytes(f.text[k]).decode("latin-1") for k in range(1 + max(f.ext_headers, 0))]
    except IndexError:  # segyio gives no text at all for some of those
        out["text"] = []
    out["wrap"] = [segyio.tools.wrap(t) for t in out["text"]]
    i = f.attributes(il)[:]
    x = f.attributes(xl)[:]

    def at(a, b):
        hit = np.nonzero((i == a) & (x == b))[0]
        if not len(hit):
            return None
        # One header read whole: attributes() reads the 2-byte scalar of
        # little-endian files wrongly.
        h = f.header[int(hit[0])]
        sc = h[F.SourceGroupScalar]
        scale = sc if sc > 0 else -1.0 / sc if sc < 0 else 1.0
        return [h[xb] * scale, h[yb] * scale]

    def corners(ils, xls):
        return [at(a, b) for a, b in ((ils[0], xls[0]), (ils[0], xls[-1]), (ils[-1], xls[-1]), (ils[-1], xls[0]))]

    if out["regular"]:
        ils, xls = [int(v) for v in f.ilines], [int(v) for v in f.xlines]
        step = lambda v: v[1] - v[0] if len(v) > 1 else None
        out["inline"] = [ils[0], ils[-1], step(ils)]
        out["crossline"] = [xls[0], xls[-1], step(xls)]
        out["sorting"] = {segyio.TraceSortingFormat.INLINE_SORTING: "inline",
                          segyio.TraceSortingFormat.CROSSLINE_SORTING: "crossline"}.get(f.sorting, "unsorted")
        out["corners"] = corners(ils, xls)

    # The same words as segyio reads them, ranged by quarvel's rule (first
    # met, the far end, the largest step that holds every value): for files
    # segyio sees no grid in, and 2D lines.
    def ranged(v):
        u = np.unique(v)
        step = int(np.gcd.reduce(np.diff(u))) if len(u) > 1 else 1
        first, last = int(u[0]), int(u[-1])
        if int(v[0]) == last and len(u) > 1:
            first, last, step = last, first, -step
        return [first, last, step]
    if len(i):
        out["words"] = {"inline": ranged(i), "crossline": ranged(x)}
        out["words"]["corners"] = corners(out["words"]["inline"][:2], out["words"]["crossline"][:2])
print(json.dumps(out))
'''


def words_of(text):
    w = dict(item.split("=") for item in text.split(","))
    return [int(w[k].split(":")[0]) for k in ("m", "n", "x", "y")]


def segy_files(paths):
    for p in paths:
        if os.path.isdir(p):
            for root, _, names in sorted(os.walk(p)):
                for n in sorted(names):
                    if n.lower().endswith((".sgy", ".segy")):
                        yield os.path.join(root, n)
        else:
            yield p


def wrap(text):
    import segyio.tools
    return segyio.tools.wrap(text)


def compare(quarvel, path, words):
    """(status, note): status 'agree', 'differ', 'layout' (segyio reads
    another trace layout: only the text compared) or 'skip'."""
    child = subprocess.run([sys.executable, "-c", CHILD, path, *map(str, words_of(words))],
                           capture_output=True, text=True)
    if child.returncode != 0 or not child.stdout.strip():
        return "skip", "segyio stops: " + (child.stderr.strip().splitlines() or ["?"])[-1][:70]
    theirs = json.loads(child.stdout)
    if "error" in theirs:
        return "skip", "segyio refuses: " + theirs["error"][:70]
    run = subprocess.run([quarvel, "segy", "--json", "--text", "--geometry", "--words", words, path],
                         capture_output=True, text=True)
    if run.returncode != 0:
        return "differ", "quarvel fails: " + run.stderr.strip()[:90]
    ours = json.loads(run.stdout)
    problems, notes = [], []
    lines = ours["text"]
    raw = open(path, "rb").read(3600 + 3200 * (len(lines) // 40 - 1))
    for k, text in enumerate(theirs["text"]):
        mine = "".join(lines[40 * k:40 * k + 40])
        start = 0 if k == 0 else 3600 + 3200 * (k - 1)
        try:
            mine_bytes = mine.encode("latin-1")
        except UnicodeEncodeError:  # ASCII records keep UTF-8 as it is
            mine_bytes = mine.encode("utf-8")
        if mine_bytes == raw[start:start + 3200] and mine != text[:3200]:
            notes.append("text %d is ASCII (segyio converts it as EBCDIC)" % (k + 1))
            continue
        # segyio's text ends at the first NUL.
        if mine[:len(text)] != text or wrap(mine[:len(text)]) != theirs["wrap"][k]:
            problems.append("text %d" % (k + 1))
    if theirs["uncounted"]:
        notes.append("extended headers up to the end stanza: segyio reads %s"
                     % ("none" if theirs["text"] else "no text at all"))
    elif len(lines) != 40 * len(theirs["text"]):
        problems.append("%d text records, segyio %d" % (len(lines) // 40, len(theirs["text"])))
    g = ours["geometry"]
    if theirs["traces"] != ours["traces"]:
        # A sample format or header count segyio does not know: its traces
        # start elsewhere, and their words are other bytes.
        status = "differ" if problems else "layout"
        return status, "; ".join(problems + notes + ["segyio finds %d traces, quarvel %d: the words are not comparable"
                                                     % (theirs["traces"], ours["traces"])])
    grid = theirs.get("regular") and g["kind"] == "3d"
    want = theirs if grid else theirs.get("words")
    if not grid:
        notes.append("ranges against segyio's header words (%s)"
                     % ("ours 2d" if theirs.get("regular") else "segyio: no regular grid"))
    if want:
        for key in ("inline", "crossline"):
            a, b = g[key], want[key]
            if a[:2] != b[:2] or (b[2] is not None and a[2] != b[2]):
                problems.append("%s %s, segyio %s" % (key, a, b))
        if grid and theirs["sorting"] != g["sorting"]:
            problems.append("sorting %s, segyio %s" % (g["sorting"], theirs["sorting"]))
        if g["kind"] == "3d":
            for c, d in zip(g["corners"], want["corners"]):
                if d is not None and (c is None or any(abs(u - v) > 1e-9 * max(1, abs(v)) for u, v in zip(c, d))):
                    problems.append("corner %s, segyio %s" % (c, d))
    if problems:
        return "differ", "; ".join(problems)
    return "agree", "; ".join(notes)


def main():
    args = sys.argv[1:]
    if not args:
        sys.exit(__doc__)
    quarvel, words = args.pop(0), "m=189,n=193,x=181,y=185"
    if args[:1] == ["--words"]:
        words = args[1]
        args = args[2:]
    counts = {"agree": 0, "differ": 0, "skip": 0, "layout": 0}
    for path in segy_files(args):
        status, note = compare(quarvel, path, words)
        counts[status] += 1
        print("%-7s %s%s" % (status, path, ": " + note if note else ""))
    print("files segyio opens: %d, agreeing: %d, differing: %d, text agreeing but traces laid out otherwise "
          "by segyio: %d; not opened by segyio: %d"
          % (sum(counts.values()) - counts["skip"], counts["agree"], counts["differ"], counts["layout"], counts["skip"]))
    sys.exit(1 if counts["differ"] else 0)


if __name__ == "__main__":
    main()
