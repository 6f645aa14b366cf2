#!/usr/bin/env python3
"""Tests of tools/check_layers.py on small made-up source trees, and on the real one.

    python3 -m unittest discover -s tools -p 'test_*.py'
"""

import os
import pathlib
import sys
import tempfile
import unittest
from unittest import mock

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_layers  # noqa: E402


class MadeUpTree(unittest.TestCase):
    def setUp(self):
        self.temp = tempfile.TemporaryDirectory()
        self.src = pathlib.Path(self.temp.name) / "src"
        for folder in ("common", "ui", "inventory", "inspector", "update", "shell"):
            (self.src / folder).mkdir(parents=True)
            self.write(f"{folder}/CMakeLists.txt", f"kelvaro_module(kv_{folder}\n    PORTABLE a.cpp)\n")

    def tearDown(self):
        self.temp.cleanup()

    def write(self, name, text):
        (self.src / name).write_text(text, encoding="utf-8")

    def problems(self):
        return check_layers.check(self.src)[0]

    def test_downward_includes_and_the_allowed_sideways_one_pass(self):
        self.write("shell/program_win.cpp", '#include "inventory/process_view_win.h"\n'
                                            '#include "ui/frame_win.h"\n#include "kelvaro_version.h"\n')
        self.write("update/check.cpp", '#include "inventory/definitions.h"\n#include "common/a.h"\n')
        self.write("ui/frame_win.cpp", '#include "ui/frame_win.h"\n#include <windows.h>\n')
        self.assertEqual(self.problems(), [])

    def test_an_include_of_a_higher_folder_is_named_with_its_line(self):
        self.write("ui/frame_win.cpp", '// frame\n#include "shell/main_window_win.h"\n')
        self.assertEqual(self.problems(), [
            "src/ui/frame_win.cpp:2: includes shell/main_window_win.h: ui/ lies below shell/"])

    def test_features_side_by_side_stay_apart_and_never_take_a_win32_edge(self):
        self.write("inventory/a.cpp", '#include "inspector/window_tree.h"\n')
        self.write("update/b.cpp", '#include "inventory/search_window_win.h"\n')
        problems = self.problems()
        self.assertEqual(len(problems), 2)
        self.assertIn("inventory/ and inspector/ lie side by side", problems[0])
        self.assertIn("takes the Win32 edge of inventory/", problems[1])

    def test_links_follow_the_same_rules(self):
        self.write("inventory/CMakeLists.txt",
                   "kelvaro_module(kv_inventory\n    PORTABLE a.cpp\n    DEPENDS kv_common kv_ui)\n"
                   "if(WIN32)\n    target_link_libraries(kv_inventory PUBLIC kv_shell comctl32)\nendif()\n")
        self.write("ui/CMakeLists.txt",
                   "kelvaro_module(kv_ui\n    PORTABLE a.cpp\n    DEPENDS kv_common kv_shell\n"
                   "    WIN_LIBS user32)\n")
        problems = self.problems()
        self.assertEqual(len(problems), 2)
        self.assertIn("src/inventory/CMakeLists.txt:5: kv_inventory links kv_shell", problems[0])
        self.assertIn("src/ui/CMakeLists.txt:1: kv_ui links kv_shell", problems[1])

    def test_a_circle_is_reported_even_where_each_step_is_allowed(self):
        self.write("update/a.cpp", '#include "inventory/definitions.h"\n')
        self.write("inventory/b.cpp", '#include "update/update_info.h"\n')
        both_ways = {("update", "inventory"): "", ("inventory", "update"): ""}
        with mock.patch.dict(check_layers.SIDEWAYS, both_ways):
            self.assertEqual(self.problems(), [
                "the folders depend on each other in a circle: inventory -> update -> inventory"])

    def test_a_folder_without_a_layer_is_refused(self):
        (self.src / "extras").mkdir()
        self.write("extras/x.cpp", '#include "common/a.h"\n')
        problems = self.problems()
        self.assertIn("src/extras/: a folder without a layer in tools/check_layers.py", problems)
        self.assertIn("the folder extras/ has no layer", problems[1])


class RealTree(unittest.TestCase):
    def test_the_project_keeps_its_layers(self):
        src = pathlib.Path(__file__).resolve().parents[1] / "src"
        self.assertEqual(check_layers.check(src)[0], [])


if __name__ == "__main__":
    unittest.main()
