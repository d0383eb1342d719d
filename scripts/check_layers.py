#!/usr/bin/env python3
"""Holds every include of the tree to the layer rules that CMake declares.

Usage: check_layers.py RULES.json [--root DIR] [--graph]

RULES.json is written by CMake (cmake/QuarvelLayerRules.cmake): each
top-level folder that holds a library or programs, the quarvel libraries it
links, whether it links the toolkit, and where the toolkit's headers live.
An include, in either form and of any extension, is resolved the way the
compiler would: a quoted one beside the including file first, then from the
source root (the one include folder of the project), then in the toolkit's
folders. It fails when

  - a file includes a project header of a folder its library does not link
    (directly or through the libraries it links),
  - a file outside the toolkit layers includes a header found in the
    toolkit's folders,
  - a source folder belongs to no layer,
  - the subject folders inside one layer include each other round a cycle.

It prints the include graph between top-level folders, one line a
dependency, which must be acyclic as the rules are."""
import argparse
import json
import os
import re
import sys
from collections import defaultdict
from pathlib import Path

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
SOURCE_SUFFIXES = {".h", ".hh", ".hpp", ".hxx", ".inl", ".ipp", ".c", ".cc", ".cpp", ".cxx"}


class Rules:
    def __init__(self, data, root):
        self.root = Path(root or data["source"]).resolve()
        self.skipped = set(data.get("skipped", []))
        self.layers = {layer["dir"]: layer for layer in data["layers"]}
        self.by_name = {layer["name"]: layer["dir"] for layer in data["layers"]}
        self.toolkit_dirs = []
        for d in data.get("toolkit_include_dirs", []):
            d = Path(d)
            if d.is_dir():
                self.toolkit_dirs.append(d)
                self.toolkit_dirs += sorted(p for p in d.iterdir() if p.is_dir())
        self.reach = {d: self._closure(d) for d in self.layers}
        self.toolkit = {d: any(self.layers[r]["toolkit"] for r in self.reach[d]) for d in self.layers}

    def _closure(self, top):
        seen, todo = set(), [top]
        while todo:
            d = todo.pop()
            if d in seen:
                continue
            seen.add(d)
            todo += [self.by_name[n] for n in self.layers[d]["depends"] if n in self.by_name]
        return seen

    def resolve(self, including, kind, target):
        """('project', path relative to root) or ('toolkit', path) or
        ('system', None)."""
        candidates = []
        if kind == '"':
            candidates.append(including.parent / target)
        candidates.append(self.root / target)
        for c in candidates:
            if c.is_file():
                c = Path(os.path.normpath(c))
                try:
                    return "project", c.relative_to(self.root)
                except ValueError:
                    break
        for d in self.toolkit_dirs:
            if (d / target).is_file():
                return "toolkit", d / target
        return "system", None


def source_files(rules):
    for path in sorted(rules.root.rglob("*")):
        rel = path.relative_to(rules.root)
        if rel.parts[0].startswith(".") or rel.parts[0].startswith("build") or rel.parts[0] in rules.skipped:
            continue
        if path.is_file() and path.suffix in SOURCE_SUFFIXES:
            yield path, rel


def check(rules):
    problems = []
    top_edges = defaultdict(set)
    subject_edges = defaultdict(set)
    for path, rel in source_files(rules):
        top = rel.parts[0]
        if top not in rules.layers:
            problems.append(f"{rel}: folder '{top}' belongs to no layer (declare it in CMake)")
            continue
        subject = str(rel.parent)
        text = path.read_text(encoding="utf-8", errors="replace")
        for kind, target in INCLUDE.findall(text):
            form = f'"{target}"' if kind == '"' else f"<{target}>"
            where, found = rules.resolve(path, kind, target)
            if where == "toolkit":
                if not rules.toolkit[top]:
                    problems.append(f"{rel}: includes the toolkit header {form} ({found}) in "
                                    f"'{top}', which does not link the toolkit")
                continue
            if where == "system":
                continue
            there = found.parts[0]
            if there in rules.skipped or there not in rules.layers:
                problems.append(f"{rel}: includes {form} from '{there}', which is no layer")
                continue
            if there not in rules.reach[top]:
                problems.append(f"{rel}: includes {form} of '{there}', which '{top}' does not link")
            if there != top:
                top_edges[top].add(there)
            elif str(found.parent) != subject:
                subject_edges[subject].add(str(found.parent))
    problems += cycles(top_edges, "folders") + cycles(subject_edges, "subject folders")
    return problems, top_edges


def cycles(edges, what):
    found, state = [], {}

    def visit(node, trail):
        state[node] = 1
        for nxt in sorted(edges[node]):
            if state.get(nxt) == 1:
                found.append(f"include cycle between {what}: " + " -> ".join(trail[trail.index(nxt):] + [nxt]))
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[node] = 2

    for node in sorted(list(edges)):
        if node not in state:
            visit(node, [node])
    return found


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("rules")
    parser.add_argument("--root", help="the tree to check (default: the source folder of the rules)")
    parser.add_argument("--graph", action="store_true", help="print the top-level include graph")
    args = parser.parse_args(argv)
    with open(args.rules, encoding="utf-8") as f:
        rules = Rules(json.load(f), args.root)
    problems, edges = check(rules)
    if args.graph:
        for src in sorted(edges):
            for dst in sorted(edges[src]):
                print(f"{src} -> {dst}")
    for p in problems:
        print(p, file=sys.stderr)
    if problems:
        print(f"layer check: {len(problems)} problem(s)", file=sys.stderr)
        return 1
    print(f"layer check: {sum(len(v) for v in edges.values())} dependencies between top-level folders, "
          "all allowed by the CMake targets, no cycle")
    return 0


if __name__ == "__main__":
    sys.exit(main())
