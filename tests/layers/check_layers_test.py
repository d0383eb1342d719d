#!/usr/bin/env python3
"""The layer check on small trees: a clean one passes, and each way of
slipping past the rules is reported by name."""
import json
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts"))
import check_layers  # noqa: E402

LAYERS = [
    {"name": "quarvel_platform", "dir": "platform", "depends": [], "toolkit": False},
    {"name": "quarvel_model", "dir": "model", "depends": ["quarvel_platform"], "toolkit": False},
    {"name": "quarvel_io", "dir": "io", "depends": ["quarvel_model"], "toolkit": False},
    {"name": "quarvel_render", "dir": "render", "depends": ["quarvel_model"], "toolkit": False},
    {"name": "quarvel_window", "dir": "window", "depends": ["quarvel_render", "quarvel_io"], "toolkit": False},
    {"name": "quarvel_qt", "dir": "qt", "depends": ["quarvel_window"], "toolkit": True},
]
CLEAN = {
    "platform/base/result.h": "#include <string>\n",
    "model/doc/kones.h": '#include "platform/base/result.h"\n',
    "io/doc/reader.cpp": '#include "model/doc/kones.h"\n#include "reader.h"\n',
    "io/doc/reader.h": "#pragma once\n",
    "render/draw/renderer.cpp": '#include <vector>\n#include "model/doc/kones.h"\n',
    "window/editor/window.h": '#include "render/draw/renderer.h"\n#include "io/doc/reader.h"\n',
    "render/draw/renderer.h": "#pragma once\n",
    "qt/view/kview.cpp": '#include <QWidget>\n#include <qglobal.h>\n#include "window/editor/window.h"\n',
    "tests/anything.cpp": '#include "qt/view/kview.cpp"\n#include <QWidget>\n',
}


class LayerCheckTest(unittest.TestCase):
    def run_check(self, extra):
        with tempfile.TemporaryDirectory() as tmp:
            root = Path(tmp) / "src"
            qt = Path(tmp) / "qt6"
            for rel, text in {**CLEAN, **extra}.items():
                (root / rel).parent.mkdir(parents=True, exist_ok=True)
                (root / rel).write_text(text)
            (qt / "QtCore").mkdir(parents=True)
            (qt / "QtCore" / "qglobal.h").write_text("")
            (qt / "QtWidgets").mkdir()
            (qt / "QtWidgets" / "QWidget").write_text("")
            rules = check_layers.Rules({"source": str(root), "skipped": ["tests"], "toolkit_include_dirs": [str(qt)],
                                        "layers": LAYERS}, None)
            problems, edges = check_layers.check(rules)
            return problems, {(a, b) for a in edges for b in edges[a]}

    def assert_one_problem(self, extra, *words):
        """The include is reported (an upward one also closes a cycle of
        folders, reported besides)."""
        problems, _ = self.run_check(extra)
        named = [p for p in problems if "cycle" not in p or "cycle" in words]
        self.assertEqual(len(named), 1, problems)
        for word in words:
            self.assertIn(word, named[0])

    def test_clean_tree_passes_and_gives_the_top_level_graph(self):
        problems, edges = self.run_check({})
        self.assertEqual(problems, [])
        self.assertEqual(edges, {("model", "platform"), ("io", "model"), ("render", "model"),
                                 ("window", "render"), ("window", "io"), ("qt", "window")})

    def test_project_header_in_angle_brackets(self):
        self.assert_one_problem({"platform/base/up.cpp": "#include <window/editor/window.h>\n"},
                                "platform/base/up.cpp", "<window/editor/window.h>", "'platform' does not link")

    def test_hpp_files_are_checked_and_resolved(self):
        self.assert_one_problem({"model/doc/sneaky.hpp": '#include "window/editor/window.h"\n'},
                                "model/doc/sneaky.hpp")
        self.assert_one_problem({"window/editor/w.hpp": "#pragma once\n",
                                 "model/doc/uses.cpp": '#include "window/editor/w.hpp"\n'},
                                "model/doc/uses.cpp", "window/editor/w.hpp")

    def test_sibling_layer_that_is_not_linked(self):
        self.assert_one_problem({"render/draw/reads.cpp": '#include "io/doc/reader.h"\n'},
                                "render/draw/reads.cpp", "'render' does not link")

    def test_toolkit_header_by_where_it_lives(self):
        self.assert_one_problem({"model/doc/flags.cpp": "#include <qglobal.h>\n"},
                                "model/doc/flags.cpp", "toolkit header <qglobal.h>")

    def test_relative_include_resolves_to_its_layer(self):
        self.assert_one_problem({"platform/base/rel.cpp": '#include "../../window/editor/window.h"\n'},
                                "platform/base/rel.cpp")

    def test_unknown_folder_and_subject_cycle(self):
        self.assert_one_problem({"stray/x.cpp": ""}, "'stray' belongs to no layer")
        self.assert_one_problem({"model/a/a.h": '#include "model/b/b.h"\n', "model/b/b.h": '#include "model/a/a.h"\n'},
                                "cycle", "model/a -> model/b -> model/a")


if __name__ == "__main__":
    unittest.main()
