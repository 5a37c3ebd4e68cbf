#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Puts the project's licence line at the top of every source file it owns.

  spdx-headers.py ROOT           adds the line where it is missing
  spdx-headers.py --check ROOT   lists the files without it and fails if there are any

Generated and third-party files are not ours to label, so only the folders below are walked.
"""
import pathlib
import sys

LICENSE = "GPL-3.0-or-later"
FOLDERS = ["src", "tests", "bench", "fuzz", "tools", "scripts"]
SLASH = {".cpp", ".h"}
HASH = {".py", ".sh", ".cmake"}


def comment_for(path):
    if path.suffix in SLASH:
        return "// SPDX-License-Identifier: " + LICENSE
    if path.suffix in HASH or path.name == "CMakeLists.txt":
        return "# SPDX-License-Identifier: " + LICENSE
    return None


def sources(root):
    for folder in FOLDERS:
        for path in sorted((root / folder).rglob("*")):
            if path.is_file() and comment_for(path) is not None:
                yield path
    yield root / "CMakeLists.txt"


def labelled(lines):
    return any("SPDX-License-Identifier:" in line for line in lines[:3])


def add_line(path):
    text = path.read_text(encoding="utf-8")
    lines = text.splitlines(keepends=True)
    if labelled(lines):
        return False
    # A script's interpreter line must stay first for the kernel to honour it.
    at = 1 if lines and lines[0].startswith("#!") else 0
    lines.insert(at, comment_for(path) + "\n")
    path.write_text("".join(lines), encoding="utf-8")
    return True


def main(argv):
    check = "--check" in argv
    args = [a for a in argv if a != "--check"]
    root = pathlib.Path(args[0] if args else ".").resolve()
    if check:
        missing = [p for p in sources(root)
                   if not labelled(p.read_text(encoding="utf-8").splitlines())]
        for path in missing:
            print(f"{path.relative_to(root)}: no SPDX-License-Identifier line")
        return 1 if missing else 0
    changed = sum(add_line(p) for p in sources(root))
    print(f"{changed} files labelled")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
