#!/usr/bin/env python3
"""Lists which folders of processing/ include which, and fails when two
folders reach each other through their includes (a cycle of any length).

usage: folder-includes.py PROCESSING_DIR"""

import pathlib
import re
import sys

INCLUDE = re.compile(r'^#include "([a-z]+)/', re.MULTILINE)


def edges(root):
    found = {}
    for folder in sorted(path for path in root.iterdir() if path.is_dir()):
        included = set()
        for source in folder.glob("*.[ch]*"):
            included.update(INCLUDE.findall(source.read_text(encoding="utf-8")))
        found[folder.name] = sorted(included - {folder.name})
    return found


def cycle(found):
    """A list of folders that lead back to the first, or None."""
    done = set()

    def visit(folder, path):
        if folder in path:
            return path[path.index(folder):] + [folder]
        if folder in done:
            return None
        for target in found.get(folder, []):
            loop = visit(target, path + [folder])
            if loop:
                return loop
        done.add(folder)
        return None

    for folder in found:
        loop = visit(folder, [])
        if loop:
            return loop
    return None


def main():
    found = edges(pathlib.Path(sys.argv[1]))
    for folder, targets in found.items():
        print(f"{folder} -> {', '.join(targets) if targets else '(none)'}")
    loop = cycle(found)
    if loop:
        print("cycle: " + " -> ".join(loop), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
