#!/usr/bin/env python3
"""Checks that the folders of src/ depend on each other in one direction only.

Every folder has a layer (LAYERS, bottom first). A folder may include the headers of
folders in lower layers; a folder beside it in the same layer only where SIDEWAYS allows
it, and never its Win32 edge (a *_win.h header). The same holds for the libraries that the
folders' CMakeLists.txt link. Any other include or link, a cycle, or a folder that the
table does not know fails the check.

Usage: tools/check_layers.py [SRC_FOLDER]   (default: src/ next to this script's folder)
Exits 1 and names every offending line when the check fails.
"""

import pathlib
import re
import sys

# Bottom first. docs/development.md shows the same picture.
LAYERS = [
    ["common"],
    ["signing"],
    ["netupdate", "ini", "ui"],
    ["inventory", "inspector", "update"],
    ["shell", "updater"],
]

# Includes and links between folders of one layer, each with its reason.
SIDEWAYS = {
    ("update", "inventory"): "the update check names the definitions file it downloads",
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/([^"]+)"')
MODULE = re.compile(r"kelvaro_module\(\s*kv_(\w+)(.*?)\)", re.S)
DEPENDS = re.compile(r"\bDEPENDS\b(.*?)(?:\b(?:PORTABLE|NATIVE|WINDOWS|WIN_LIBS)\b|$)", re.S)
LINK = re.compile(r"target_link_libraries\(\s*kv_(\w+)([^)]*)\)", re.S)


def layer_of(folder):
    for rank, folders in enumerate(LAYERS):
        if folder in folders:
            return rank
    return None


def edge_problem(source, target, header=None):
    """Why `source` may not use `target` (and the header, for includes); None when it may."""
    if source == target:
        return None
    rank, target_rank = layer_of(source), layer_of(target)
    if rank is None:
        return f"the folder {source}/ has no layer in tools/check_layers.py"
    if target_rank is None:
        return f"the folder {target}/ has no layer in tools/check_layers.py"
    if target_rank > rank:
        return f"{source}/ lies below {target}/"
    if target_rank == rank:
        if (source, target) not in SIDEWAYS:
            return f"{source}/ and {target}/ lie side by side"
        if header is not None and header.endswith("_win.h"):
            return f"{source}/ takes the Win32 edge of {target}/, which lies beside it"
    return None


def source_files(src):
    for path in sorted(src.rglob("*")):
        if path.suffix in (".h", ".cpp") and path.is_file():
            yield path


def include_edges(src):
    """(source folder, target folder, header, file, line number) for every include."""
    for path in source_files(src):
        folder = path.relative_to(src).parts[0]
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if match and (src / match.group(1)).is_dir():
                yield folder, match.group(1), match.group(2), path, number


def link_edges(src):
    """(module folder, linked folder, file, line number) for every kv_ library linked."""
    for cmake in sorted(src.glob("*/CMakeLists.txt")):
        text = cmake.read_text(encoding="utf-8")
        blocks = [(m.group(1), m.group(2), m.start()) for m in MODULE.finditer(text)]
        for name, body, start in blocks:
            depends = DEPENDS.search(body)
            if depends:
                for target in re.findall(r"\bkv_(\w+)", depends.group(1)):
                    yield name, target, cmake, text.count("\n", 0, start) + 1
        for match in LINK.finditer(text):
            for target in re.findall(r"\bkv_(\w+)", match.group(2)):
                yield match.group(1), target, cmake, text.count("\n", 0, match.start()) + 1


def find_cycle(edges):
    """A list of folders that lead back to the first one, or None."""
    graph = {}
    for source, target in edges:
        if source != target:
            graph.setdefault(source, set()).add(target)
    state = {}

    def visit(node, path):
        state[node] = "open"
        for nxt in sorted(graph.get(node, ())):
            if state.get(nxt) == "open":
                return path[path.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt, path + [nxt])
                if found:
                    return found
        state[node] = "done"
        return None

    for node in sorted(graph):
        if node not in state:
            found = visit(node, [node])
            if found:
                return found
    return None


def check(src):
    """The problems found, one text each; empty when the layers hold."""
    problems = []
    root = src.parent
    for folder in sorted(p.name for p in src.iterdir() if p.is_dir()):
        if layer_of(folder) is None:
            problems.append(f"src/{folder}/: a folder without a layer in tools/check_layers.py")
    edges = set()
    for source, target, header, path, number in include_edges(src):
        edges.add((source, target))
        why = edge_problem(source, target, header)
        if why:
            problems.append(f"{path.relative_to(root)}:{number}: includes {target}/{header}: {why}")
    for source, target, path, number in link_edges(src):
        edges.add((source, target))
        why = edge_problem(source, target)
        if why:
            problems.append(f"{path.relative_to(root)}:{number}: kv_{source} links kv_{target}: {why}")
    cycle = find_cycle(edges)
    if cycle:
        problems.append("the folders depend on each other in a circle: " + " -> ".join(cycle))
    return problems, edges


def main(argv):
    src = pathlib.Path(argv[1]) if len(argv) > 1 else pathlib.Path(__file__).resolve().parents[1] / "src"
    problems, edges = check(src)
    for problem in problems:
        print(problem)
    if problems:
        print(f"Layer check FAILED: {len(problems)} problem(s); see docs/development.md, 'Layers'.")
        return 1
    between = sorted(e for e in edges if e[0] != e[1])
    print(f"Layer check passed: {len(between)} dependencies between {sum(p.is_dir() for p in src.iterdir())} "
          "folders of src/, all downwards or allowed sideways.")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
