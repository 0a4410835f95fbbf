#!/usr/bin/env python3
"""The layer check on small trees: each case is a document table and a few
files, with the faults the check must report (none for a sound tree)."""
import importlib.machinery
import importlib.util
import sys
import tempfile
import unittest
from pathlib import Path

sys.dont_write_bytecode = True   # keep the source tree clean
SCRIPT = Path(__file__).resolve().parents[2] / "scripts" / "check-layers"
loader = importlib.machinery.SourceFileLoader("check_layers", str(SCRIPT))
spec = importlib.util.spec_from_loader("check_layers", loader)
check_layers = importlib.util.module_from_spec(spec)
loader.exec_module(check_layers)

TABLE = """# Architecture

| Layer | Folder | Library | Holds | Links |
|---|---|---|---|---|
| platform | `src/platform` | `pgx_platform` | machine | Qt Core, libcups |
| meta | `src/meta` | `pgx_meta` | reflection | platform, Qt Core |
| report | `src/report` | `pgx_report` | tree | meta, zlib |
| script | `src/script` | `pgx_script` | scripts | meta |
| launcher | `src/launcher` | `pagoryn` | entry | everything |

Text below the table | is | not | a | row |
"""

SOUND = {
    "src/platform/CMakeLists.txt": "pgx_add_library(platform DEPS Qt6::Core)\n",
    "src/platform/Error.h": "#pragma once\n",
    "src/meta/CMakeLists.txt": "pgx_add_library(meta DEPS pgx_platform)\n",
    "src/meta/Meta.h": '#include "platform/Error.h"\n',
    "src/report/CMakeLists.txt": "# links pgx_script? never\npgx_add_library(report DEPS pgx_meta)\n",
    # platform through meta; a header beside the file; a generated file.
    "src/report/Tree.cpp": '#include "Tree.h"\n#include "platform/Error.h"\n#include "moc_Tree.cpp"\n',
    "src/report/Tree.h": '#include "meta/Meta.h"\n',
    "src/script/CMakeLists.txt": "pgx_add_library(script DEPS pgx_meta)\n",
    "src/launcher/CMakeLists.txt": "target_link_libraries(pgx_launcher PUBLIC pgx_report pgx_script)\n",
    "src/launcher/main.cpp": '#include "report/Tree.h"\n#include "script/Run.h"\n',
    "tests/report/tree_test.cpp": '#include "support/Golden.h"\n#include "helpers.h"\n#include "report/Tree.h"\n',
    "tests/report/helpers.h": "#pragma once\n",
}

CASES = [
    ("a sound tree", {}, []),
    ("a layer includes a layer above it",
     {"src/platform/Printer.cpp": '#include "platform/Error.h"\n\n#include "report/Tree.h"\n'},
     ['src/platform/Printer.cpp:3: platform includes "report/Tree.h" of layer report, which it does not link']),
    ("siblings do not include each other",
     {"src/script/Run.h": '#include "report/Tree.h"\n'},
     ['src/script/Run.h:1: script includes "report/Tree.h" of layer report, which it does not link']),
    ("a header that does not exist is judged by its folder",
     {"src/meta/Meta.cpp": '  #  include "script/Missing.h"\n'},
     ['src/meta/Meta.cpp:1: meta includes "script/Missing.h" of layer script, which it does not link']),
    ("a relative path that climbs into another layer",
     {"src/meta/Meta.cpp": '#include "../report/Tree.h"\n'},
     ['src/meta/Meta.cpp:1: meta includes "../report/Tree.h" of layer report, which it does not link']),
    ("tests keep to the layers of their suite",
     {"tests/meta/meta_test.cpp": '#include "report/Tree.h"\n'},
     ['tests/meta/meta_test.cpp:1: meta includes "report/Tree.h" of layer report, which it does not link']),
    ("a library the table does not name",
     {"src/report/CMakeLists.txt": "pgx_add_library(report DEPS pgx_meta pgx_platform)\n"},
     ["src/report: links meta, platform, but docs/architecture.md says meta"]),
    ("a library the table names but the build does not link",
     {"src/meta/CMakeLists.txt": "pgx_add_library(meta DEPS Qt6::Core)\n"},
     ["src/meta: links no layer, but docs/architecture.md says platform"]),
]


def make_tree(root, files):
    (root / "docs").mkdir()
    (root / "docs" / "architecture.md").write_text(TABLE, encoding="utf-8")
    for name, text in files.items():
        path = root / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text, encoding="utf-8")


def faults(root):
    layers = check_layers.read_layers(root / "docs" / "architecture.md")
    return check_layers.check_links(root, layers) + check_layers.check_includes(root, layers)


class CheckLayers(unittest.TestCase):
    def test_cases(self):
        for what, changes, expected in CASES:
            with self.subTest(what), tempfile.TemporaryDirectory() as folder:
                root = Path(folder).resolve()
                make_tree(root, {**SOUND, **changes})
                self.assertEqual(faults(root), expected)

    def test_table_rows(self):
        with tempfile.TemporaryDirectory() as folder:
            root = Path(folder).resolve()
            make_tree(root, SOUND)
            layers = {l.name: l for l in check_layers.read_layers(root / "docs" / "architecture.md")}
            self.assertEqual(list(layers), ["platform", "meta", "report", "script", "launcher"])
            self.assertEqual(layers["report"].allowed, {"platform", "meta", "report"})
            self.assertEqual(layers["launcher"].allowed, {"platform", "meta", "report", "script", "launcher"})

    def test_a_row_linking_upwards_is_refused(self):
        with tempfile.TemporaryDirectory() as folder:
            root = Path(folder).resolve()
            make_tree(root, SOUND)
            doc = root / "docs" / "architecture.md"
            doc.write_text(TABLE.replace("| meta, zlib |", "| meta, script |"), encoding="utf-8")
            with self.assertRaisesRegex(SystemExit, "report links script, a layer above it"):
                check_layers.read_layers(doc)

    def test_the_exit_status(self):
        with tempfile.TemporaryDirectory() as folder:
            root = Path(folder).resolve()
            make_tree(root, SOUND)
            self.assertEqual(check_layers.main(["check-layers", str(root)]), 0)
            (root / "src/platform/Bad.h").write_text('#include "meta/Meta.h"\n', encoding="utf-8")
            self.assertEqual(check_layers.main(["check-layers", str(root)]), 1)


if __name__ == "__main__":
    sys.exit(unittest.main())
