#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails when a source file reaches up the house: a core folder that includes Qt or a window
header, or any folder that includes one above it. Usage: check_layering.py SRC_DIR"""
import os
import re
import sys

# Lower floors first. A folder may include its own headers and those of folders on a lower
# floor; folders on the same floor stay out of each other's way.
FLOORS = [
    ["platform"],
    ["timecore", "convert"],
    ["locations"],
    ["settings"],
    ["events", "net"],
    ["cli"],
    ["ui/platform", "ui/widgets"],
    ["ui/locations", "ui/convert", "ui/net"],
    ["ui/events"],
    ["ui/clock"],
    ["ui/app"],
]
FLOOR = {folder: level for level, folders in enumerate(FLOORS) for folder in folders}
CORE_TOP = FLOOR["cli"]
LOCAL_INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
QT_INCLUDE = re.compile(r"^\s*#\s*include\s+<(Q[A-Za-z]*|qt[a-z]*/)", re.M)


def problems(src_dir):
    for root, _, files in os.walk(src_dir):
        folder = os.path.relpath(root, src_dir)
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            where = os.path.join(folder, name)
            if folder not in FLOOR:
                yield f"{where}: folder {folder} has no place in the house"
                continue
            text = open(os.path.join(root, name), encoding="latin-1").read()
            if FLOOR[folder] <= CORE_TOP and QT_INCLUDE.search(text):
                yield f"{where}: the core includes Qt"
            for header in LOCAL_INCLUDE.findall(text):
                target = os.path.dirname(header)
                if target == folder or not target:
                    continue
                if target not in FLOOR:
                    yield f"{where}: includes {header} from outside the house"
                elif FLOOR[target] >= FLOOR[folder]:
                    yield f"{where}: includes {header}, which is not below {folder}"


def main():
    found = list(problems(sys.argv[1]))
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
