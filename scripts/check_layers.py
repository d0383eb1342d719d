#!/usr/bin/env python3
"""Keeps the layers one-way: fails when a source includes a header of a
higher layer, when the include graph between source directories has a
cycle, when a directory belongs to no layer, or when a Qt header is
included outside the Qt layers. Tests, benchmarks and examples aside."""
import re
import subprocess
import sys
from collections import defaultdict
from pathlib import PurePosixPath

# Lowest first. A directory may include its own layer and the ones below.
LAYERS = [
    ("platform", ["platform", "resources"]),
    ("model", ["classes", "document", "curves", "grid", "grid/contour"]),
    ("io", ["document/io", "grid/io", "grid/fxy", "segy/io"]),
    ("render", ["render"]),
    ("window", ["window", "window/button", "segy"]),
    ("qt platform", ["platform/qt"]),
    ("qt dialogs", ["grid/qt"]),
    ("qt view", ["window/qt"]),
    ("programs", ["programs/quarvel", "programs/quarvel-view", "programs/quarvel-fxy"]),
]
QT_LAYERS = {"qt platform", "qt dialogs", "qt view", "programs"}
SKIPPED = ("tests/", "bench/", "examples/", "build")

RANK = {d: i for i, (_, dirs) in enumerate(LAYERS) for d in dirs}
NAME = {d: name for name, dirs in LAYERS for d in dirs}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def main() -> int:
    files = subprocess.run(["git", "ls-files", "*.h", "*.cpp"], capture_output=True, text=True,
                           check=True).stdout.split()
    problems = []
    edges = defaultdict(set)
    for path in files:
        if path.startswith(SKIPPED):
            continue
        here = str(PurePosixPath(path).parent)
        if here not in RANK:
            problems.append(f"{path}: directory '{here}' belongs to no layer (add it to {sys.argv[0]})")
            continue
        text = open(path, encoding="utf-8", errors="replace").read()
        for kind, target in INCLUDE.findall(text):
            if kind == "<":
                if target.startswith("Q") and NAME[here] not in QT_LAYERS:
                    problems.append(f"{path}: includes Qt <{target}> in the {NAME[here]} layer")
                continue
            there = str(PurePosixPath(target).parent)
            if there not in RANK:
                problems.append(f"{path}: includes \"{target}\" from a directory of no layer")
                continue
            if RANK[there] > RANK[here]:
                problems.append(f"{path}: the {NAME[here]} layer includes \"{target}\" of the higher "
                                f"{NAME[there]} layer")
            if there != here:
                edges[here].add(there)

    # Directories must not include each other round a cycle, even within a layer.
    state = {}
    def visit(node, trail):
        state[node] = 1
        for nxt in sorted(edges[node]):
            if state.get(nxt) == 1:
                cycle = trail[trail.index(nxt):] + [nxt]
                problems.append("include cycle between directories: " + " -> ".join(cycle))
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[node] = 2
    for node in sorted(list(edges)):
        if node not in state:
            visit(node, [node])

    for p in problems:
        print(p, file=sys.stderr)
    if problems:
        print(f"layer check: {len(problems)} problem(s)", file=sys.stderr)
        return 1
    print(f"layer check: {sum(len(v) for v in edges.values())} directory dependencies, all one-way")
    return 0


if __name__ == "__main__":
    sys.exit(main())
