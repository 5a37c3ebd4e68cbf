#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the bundled user guide before it is compiled into the program.

Usage: check_help_links.py [RESOURCES_DIR]   (default: the resources/ directory of this tree)

Fails (exit status 1, one line per problem) when
  - a link or image of a page under help/ points to a file that does not exist, or to an
    anchor (#name) that the target page does not define;
  - a page refers to anything outside the program: a URL with a scheme (http:, file:, ...),
    a network path, JavaScript, or a file outside the resources directory;
  - a page, image or cursor that the pages use is not listed in zonewright.qrc, so it would
    be missing from the program;
  - a help page cannot be reached from index.html;
  - a file listed in zonewright.qrc is missing, or one of its SVG files is not well-formed XML.
"""

import os
import posixpath
import sys
import xml.etree.ElementTree as ElementTree
from html.parser import HTMLParser
from urllib.parse import unquote, urlsplit

QRC_NAME = "zonewright.qrc"
HELP_DIR = "help"
START_PAGE = "help/index.html"


class PageScanner(HTMLParser):
    """Collects the anchors a page defines and the references it makes."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.anchors = set()
        self.references = []  # (line, attribute, value)
        self.scripts = []  # lines of <script> elements and on... handlers

    def handle_starttag(self, tag, attrs):
        line = self.getpos()[0]
        for name, value in attrs:
            if value is None:
                continue
            if name == "id" or (tag == "a" and name == "name"):
                self.anchors.add(value)
            elif name in ("href", "src"):
                self.references.append((line, name, value.strip()))
            elif name.startswith("on"):
                self.scripts.append(line)
        if tag == "script":
            self.scripts.append(line)

    handle_startendtag = handle_starttag


def read_qrc(resources):
    """Resource paths (relative, without ":/") of every file the resource file lists."""
    paths = {}
    root = ElementTree.parse(os.path.join(resources, QRC_NAME)).getroot()
    for qresource in root.iter("qresource"):
        prefix = qresource.get("prefix", "/").strip("/")
        for entry in qresource.iter("file"):
            source = entry.text.strip()
            alias = entry.get("alias", source)
            paths[posixpath.join(prefix, alias) if prefix else alias] = source
    return paths


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    resources = os.path.abspath(argv[1] if len(argv) > 1 else os.path.join(here, "..", "resources"))
    problems = []

    try:
        qrc = read_qrc(resources)
    except (OSError, ElementTree.ParseError) as error:
        print(f"{QRC_NAME}: cannot be read: {error}")
        return 1

    for resource, source in sorted(qrc.items()):
        path = os.path.join(resources, source)
        if not os.path.isfile(path):
            problems.append(f"{QRC_NAME}: lists {source}, which does not exist")
        elif source.endswith(".svg"):
            try:
                ElementTree.parse(path)
            except ElementTree.ParseError as error:
                problems.append(f"{source}: not well-formed XML: {error}")

    # Pages are read from the tree, keyed by their resource path (help/x.html).
    help_root = os.path.join(resources, HELP_DIR)
    pages = {}
    for name in sorted(os.listdir(help_root)):
        if name.endswith((".html", ".htm")):
            scanner = PageScanner()
            with open(os.path.join(help_root, name), encoding="utf-8") as page:
                scanner.feed(page.read())
            scanner.close()
            pages[posixpath.join(HELP_DIR, name)] = scanner

    links = {page: set() for page in pages}
    for page, scanner in pages.items():
        for line in scanner.scripts:
            problems.append(f"{page}:{line}: scripts are not allowed")
        for line, attribute, value in scanner.references:
            where = f"{page}:{line}: {attribute}=\"{value}\""
            parts = urlsplit(value)
            if parts.scheme or parts.netloc or value.startswith("//"):
                problems.append(f"{where}: points outside the program")
                continue
            if parts.path:
                target = posixpath.normpath(posixpath.join(posixpath.dirname(page), unquote(parts.path)))
            else:
                target = page
            if target.startswith("../") or posixpath.isabs(target):
                problems.append(f"{where}: leaves the resources directory")
                continue
            if not os.path.isfile(os.path.join(resources, target)):
                problems.append(f"{where}: {target} does not exist")
                continue
            if target not in qrc:
                problems.append(f"{where}: {target} is not listed in {QRC_NAME}")
            if parts.fragment:
                if target not in pages:
                    problems.append(f"{where}: #{parts.fragment} in a file that is not a help page")
                elif unquote(parts.fragment) not in pages[target].anchors:
                    problems.append(f"{where}: {target} has no anchor \"{parts.fragment}\"")
            if target in pages:
                links[page].add(target)

    if START_PAGE not in pages:
        problems.append(f"{START_PAGE}: missing")
    else:
        reached, todo = {START_PAGE}, [START_PAGE]
        while todo:
            for target in links[todo.pop()] - reached:
                reached.add(target)
                todo.append(target)
        for page in sorted(set(pages) - reached):
            problems.append(f"{page}: cannot be reached from {START_PAGE}")
    for page in sorted(pages):
        if page not in qrc:
            problems.append(f"{page}: not listed in {QRC_NAME}")

    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"{len(pages)} help pages checked, {sum(len(s.references) for s in pages.values())} references resolve")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
